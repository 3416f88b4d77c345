#include "platform/foldertrust.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "platform/win32/widetext.h"

namespace platform {

namespace {

// Administrators and the system may do anything, users may read and run; the list does not
// inherit from the parent (protected) and is passed on to what is made inside.
constexpr const char* ProtectedWithOwner = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";
constexpr const char* ProtectedNoOwner = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

// Every right that lets its holder change the folder, what is in it, or who may.
constexpr DWORD ChangeRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | FILE_WRITE_EA |
                               FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                               GENERIC_ALL;

bool createWith(const std::string& dir, const char* descriptor)
{
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor, SDDL_REVISION_1, &sd, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, sd, FALSE};
    bool made = CreateDirectoryW(widen(dir).c_str(), &attributes) != 0;
    LocalFree(sd);
    return made;
}

// The running user's SID, read once.
std::vector<BYTE> currentUser()
{
    std::vector<BYTE> sid;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return sid;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
        sid.assign(static_cast<BYTE*>(user), static_cast<BYTE*>(user) + GetLengthSid(user));
    }
    CloseHandle(token);
    return sid;
}

bool isWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    return IsWellKnownSid(sid, type) != FALSE;
}

// Administrators, the system, TrustedInstaller (which owns the system's own folders) or us.
bool trustedSid(PSID sid)
{
    static const std::vector<BYTE> user = currentUser();
    if (isWellKnown(sid, WinBuiltinAdministratorsSid) || isWellKnown(sid, WinLocalSystemSid))
        return true;
    if (!user.empty() && EqualSid(sid, const_cast<BYTE*>(user.data())))
        return true;
    PSID installer = nullptr;
    bool isInstaller = ConvertStringSidToSidA(
                           "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", &installer) &&
                       EqualSid(sid, installer);
    if (installer != nullptr)
        LocalFree(installer);
    return isInstaller;
}

} // namespace

bool makeProtectedDir(const std::string& dir)
{
    // Naming the Administrators group as owner needs the elevated token's owner right; without
    // it the owner is the token's default, which for an elevated run is that group too.
    if (createWith(dir, ProtectedWithOwner))
        return true;
    return GetLastError() == ERROR_INVALID_OWNER && createWith(dir, ProtectedNoOwner);
}

FolderTrust folderTrust(const std::string& dir)
{
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoW(widen(dir).c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &dacl, nullptr, &sd) != ERROR_SUCCESS)
        return FolderTrust::Unreadable;
    FolderTrust answer = FolderTrust::Trusted;
    if (owner == nullptr || !trustedSid(owner))
        answer = FolderTrust::ForeignOwner;
    else if (dacl == nullptr)
        answer = FolderTrust::OthersMayChange; // no list at all: everyone may do anything
    else
        for (DWORD i = 0; i < dacl->AceCount && answer == FolderTrust::Trusted; ++i) {
            ACE_HEADER* header = nullptr;
            if (!GetAce(dacl, i, reinterpret_cast<void**>(&header)))
                answer = FolderTrust::Unreadable;
            else if (header->AceType == ACCESS_ALLOWED_ACE_TYPE && (header->AceFlags & INHERIT_ONLY_ACE) == 0) {
                auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
                if ((ace->Mask & ChangeRights) != 0 && !trustedSid(&ace->SidStart))
                    answer = FolderTrust::OthersMayChange;
            } else if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE &&
                       (header->AceFlags & INHERIT_ONLY_ACE) == 0) {
                answer = FolderTrust::Unreadable; // a kind of entry we do not judge: not trusted
            }
        }
    LocalFree(sd);
    return answer;
}

} // namespace platform
