#include "web_url.h"

#include "platform/text.h"
#include "wide_text.h"

namespace basalt {

bool IsWebUrl(std::wstring_view url) {
    for (const std::wstring_view scheme : {L"http://", L"https://"}) {
        if (url.size() > scheme.size() &&
            platform::EqualsIgnoreCase(url.substr(0, scheme.size()), scheme)) {
            return true;
        }
    }
    return false;
}

}  // namespace basalt
