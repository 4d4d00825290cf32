// The lobby object's one real call: the compound address, which here is the plain address text.
#include "platform/dplay/direct_play_lobby_imp3.h"

#include <cstdlib>
#include <cstring>

#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

using namespace Windows;

namespace Ravel {

HRESULT IDirectPlayLobbyImp3::CreateCompoundAddress(
    LPCDPCOMPOUNDADDRESSELEMENT elements, DWORD count, LPVOID address, LPDWORD size)
{
    if (!size)
        return DPERR_GENERIC;
    if (!address) {
        *size = kAddressSize;
        return DP_OK;
    }
    // The caller's buffer is trusted only as far as it says, and never beyond the address size.
    DWORD room = *size < kAddressSize ? *size : kAddressSize;
    char* out = static_cast<char*>(address);
    for (DWORD i = 0; elements && i < count; ++i) {
        const DPCOMPOUNDADDRESSELEMENT& element = elements[i];
        if (IsEqualGUID(element.guidDataType, DPAID_ServiceProvider)) {
            bool tcpip = element.lpData == &DPSPGUID_TCPIP
                || (element.lpData && element.dwDataSize >= sizeof(GUID)
                    && IsEqualGUID(*static_cast<const GUID*>(element.lpData), DPSPGUID_TCPIP));
            if (!tcpip) {
                RV_assert_failed("element.lpData == &DPSPGUID_TCPIP", __FILE__, __LINE__);
                std::exit(1);
            }
        } else if (IsEqualGUID(element.guidDataType, DPAID_INet)) {
            RV_ASSERT(element.dwDataSize <= 1024);
            if (room == 0)
                continue;
            const char* text = static_cast<const char*>(element.lpData);
            std::size_t length = 0;
            // The text ends at its NUL, at its stated size or at the buffer, whichever comes first.
            while (text && length < element.dwDataSize && length < room - 1 && text[length] != '\0')
                ++length;
            if (length > 0)
                std::memcpy(out, text, length);
            out[length] = '\0';
            *size = kAddressSize;
        }
    }
    return DP_OK;
}

} // namespace Ravel
