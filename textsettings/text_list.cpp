#include "text_list.h"

#include "failure_points.h"

#include <cstdlib>
#include <new>

TextList::TextList() : Allocate(AllocateMemory) {}

void TextList::Reset()
{
    EntryCount = 0;
    Head = nullptr;
    Tail = nullptr;
}

TextChar* TextList::AllocateText(int32_t length)
{
    if (length < 0) return nullptr;
    return static_cast<TextChar*>(Allocate((static_cast<size_t>(length) + 1) * sizeof(TextChar)));
}

bool TextList::Append(TextChar* text, int32_t length, int32_t speed, const EntryHooks& hooks)
{
    if (!text) return false;
    if (length <= 0) {
        FreeMemory(text);
        return false;
    }
    void* block = Allocate(sizeof(TextEntry));
    if (!block) {
        FreeMemory(text);
        return false;
    }
    TextEntry* entry = new (block) TextEntry;
    entry->Text = text;
    entry->Length = length;
    // The entry joins the list only once its state is complete, so a failed
    // allocation leaves the list exactly as it was.
    if (hooks.Build && !hooks.Build(*entry, speed, Allocate)) {
        FreeMemory(entry->Text);
        FreeMemory(entry);
        return false;
    }
    if (Tail)
        Tail->Next = entry;
    else
        Head = entry;
    Tail = entry;
    ++EntryCount;
    return true;
}

void TextList::AppendCopies(const TextList& from, int32_t speed, const EntryHooks& hooks)
{
    for (const TextEntry* e = from.Head; e; e = e->Next) {
        TextChar* text = AllocateText(e->Length);
        if (!text) continue;
        for (int32_t i = 0; i <= e->Length; ++i) text[i] = e->Text[i];
        Append(text, e->Length, speed, hooks);
    }
}

void TextList::Release(const EntryHooks& hooks)
{
    TextEntry* entry = Head;
    while (entry) {
        TextEntry* next = entry->Next;
        if (entry->State && hooks.Free) hooks.Free(*entry);
        FreeMemory(entry->Text);
        FreeMemory(entry);
        entry = next;
    }
    Head = nullptr;
    Tail = nullptr;
}
