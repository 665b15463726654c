#include "platform/delay_load.h"

#include <windows.h>

#include <delayimp.h>

#include <utility>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;
// dlltool names the descriptor after the import library it writes.
extern "C" const ImgDelayDescr
    kWinInetImports __asm__("__DELAY_IMPORT_DESCRIPTOR_libwininet_delay_a");

namespace qm {

namespace {

template <typename T> T* FromRva(RVA rva) {
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(&__ImageBase) + rva);
}

// Unloading puts the loading stubs back into the address table. dlltool's descriptor
// carries no copy of them (its rvaUnloadIAT is 0, so __FUnloadDelayLoadedDLL2 cannot
// help), so one is taken here, at start, before any of them has been replaced.
class UnboundAddresses {
  public:
    explicit UnboundAddresses(const ImgDelayDescr& imports) : imports_(imports) {
        for (const IMAGE_THUNK_DATA* entry = FromRva<IMAGE_THUNK_DATA>(imports.rvaIAT);
             entry->u1.Function; ++entry)
            stubs_.push_back(*entry);
    }

    void Unload() const {
        HMODULE* module = FromRva<HMODULE>(imports_.rvaHmod);
        if (!*module)
            return;
        IMAGE_THUNK_DATA* table = FromRva<IMAGE_THUNK_DATA>(imports_.rvaIAT);
        for (size_t i = 0; i < stubs_.size(); ++i)
            table[i] = stubs_[i];
        FreeLibrary(std::exchange(*module, nullptr));
    }

  private:
    const ImgDelayDescr& imports_;
    std::vector<IMAGE_THUNK_DATA> stubs_;
};

const UnboundAddresses wininet_stubs(kWinInetImports);

// A fetch abandoned at its deadline may still be finishing while the next one starts.
SRWLOCK wininet_lock = SRWLOCK_INIT;
int wininet_users = 0;

} // namespace

WinInetInUse::WinInetInUse() {
    AcquireSRWLockExclusive(&wininet_lock);
    ++wininet_users;
    ReleaseSRWLockExclusive(&wininet_lock);
}

WinInetInUse::~WinInetInUse() {
    AcquireSRWLockExclusive(&wininet_lock);
    if (--wininet_users == 0)
        wininet_stubs.Unload();
    ReleaseSRWLockExclusive(&wininet_lock);
}

} // namespace qm
