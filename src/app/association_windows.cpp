// The registry side of the association: a thin layer over RegistryEntries.
#include "association.h"

#include <windows.h>

namespace {

// Opens or creates the key and sets its default value: the text's bytes and
// one terminating NUL.
bool SetDefaultValue(const qob::association::RegistryEntry& entry) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const auto bytes = static_cast<DWORD>(entry.value.size() + 1);
    const LONG result =
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace

void RegisterFileAssociation(const std::string& programPath) {
    qob::association::WriteUntilFirstFailure(qob::association::RegistryEntries(programPath), SetDefaultValue);
}
