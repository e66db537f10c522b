#include "text_list.h"

#include "failure_points.h"

TextList& TextList::operator=(TextList&& other) noexcept
{
    if (this == &other) return *this;
    Release();
    Head = std::move(other.Head);
    Tail = other.Tail;
    EntryCount = other.EntryCount;
    other.Tail = nullptr;
    other.EntryCount = 0;
    return *this;
}

void TextList::Reset()
{
    Release();
    EntryCount = 0;
}

TextChar* TextList::AllocateText(int32_t length)
{
    if (length < 0) return nullptr;
    return NewArrayOrNull<TextChar>(static_cast<size_t>(length) + 1);
}

bool TextList::Append(TextChar* text, int32_t length, int32_t speed, const EntryHooks& hooks)
{
    std::unique_ptr<TextChar[]> owned(text);
    if (!owned || length <= 0) return false;
    std::unique_ptr<TextEntry> entry(NewOrNull<TextEntry>());
    if (!entry) return false;
    entry->Text = std::move(owned);
    entry->Length = length;
    // The entry joins the list only once its state is complete, so a failed
    // allocation leaves the list exactly as it was.
    if (hooks.Build && !hooks.Build(*entry, speed)) return false;
    TextEntry* last = entry.get();
    if (Tail)
        Tail->Next = std::move(entry);
    else
        Head = std::move(entry);
    Tail = last;
    ++EntryCount;
    return true;
}

bool TextList::AppendCopy(const char16_t* text, int32_t speed, const EntryHooks& hooks)
{
    int32_t length = 0;
    while (text && text[length]) ++length;
    TextChar* copy = AllocateText(length);
    if (!copy) return false;
    for (int32_t i = 0; i <= length; ++i) copy[i] = static_cast<TextChar>(text[i]);
    return Append(copy, length, speed, hooks);
}

void TextList::AppendCopies(const TextList& from, int32_t speed, const EntryHooks& hooks)
{
    for (const TextEntry* e = from.Head.get(); e; e = e->Next.get()) {
        TextChar* text = AllocateText(e->Length);
        if (!text) continue;
        for (int32_t i = 0; i <= e->Length; ++i) text[i] = e->Text[i];
        Append(text, e->Length, speed, hooks);
    }
}

void TextList::Release()
{
    // One entry at a time: freeing the head alone would free the whole chain
    // by recursion, one call deep per entry.
    while (Head) Head = std::move(Head->Next);
    Tail = nullptr;
}
