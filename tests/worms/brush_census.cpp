#include "brush_census.h"

#include <cstring>
#include <set>

namespace {

using CreateBrushFn = HBRUSH(WINAPI*)(const LOGBRUSH*);
using DeleteObjectFn = BOOL(WINAPI*)(HGDIOBJ);

// The hook functions find the census here; one census at a time.
struct CensusState {
    CreateBrushFn RealCreate = nullptr;
    DeleteObjectFn RealDelete = nullptr;
    size_t Created = 0;
    size_t Deleted = 0;
    std::set<HGDIOBJ> Alive;
};
CensusState* Active = nullptr;

HBRUSH WINAPI CountingCreate(const LOGBRUSH* brush)
{
    HBRUSH made = Active->RealCreate(brush);
    if (made) {
        ++Active->Created;
        Active->Alive.insert(made);
    }
    return made;
}

BOOL WINAPI CountingDelete(HGDIOBJ object)
{
    const BOOL ok = Active->RealDelete(object);
    if (ok && Active->Alive.erase(object)) ++Active->Deleted;
    return ok;
}

// The import address slot of dll!function in this program, or null.
void** ImportSlot(const char* dll, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
         ++imp) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void* Swap(void** slot, void* with)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    void* was = *slot;
    *slot = with;
    VirtualProtect(slot, sizeof *slot, old, &old);
    return was;
}

} // namespace

BrushCensus::BrushCensus()
{
    void** create = ImportSlot("gdi32.dll", "CreateBrushIndirect");
    void** remove = ImportSlot("gdi32.dll", "DeleteObject");
    if (!create || !remove || Active) return;
    Active = new CensusState;
    Active->RealCreate = reinterpret_cast<CreateBrushFn>(Swap(create, reinterpret_cast<void*>(CountingCreate)));
    Active->RealDelete = reinterpret_cast<DeleteObjectFn>(Swap(remove, reinterpret_cast<void*>(CountingDelete)));
    hooked_ = true;
}

BrushCensus::~BrushCensus()
{
    if (!hooked_) return;
    Swap(ImportSlot("gdi32.dll", "CreateBrushIndirect"), reinterpret_cast<void*>(Active->RealCreate));
    Swap(ImportSlot("gdi32.dll", "DeleteObject"), reinterpret_cast<void*>(Active->RealDelete));
    delete Active;
    Active = nullptr;
}

size_t BrushCensus::Created() const { return Active ? Active->Created : 0; }
size_t BrushCensus::Deleted() const { return Active ? Active->Deleted : 0; }
size_t BrushCensus::Alive() const { return Active ? Active->Alive.size() : 0; }
