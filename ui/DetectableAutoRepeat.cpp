#include "ui/KeyPreview.h"

#include <QGuiApplication>

#if TONPARA_HAVE_XCB_XKB
#include <xcb/xcb.h>
// The XKB protocol header names a struct field "explicit", a C++ keyword.
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#endif

namespace ui {

bool enableDetectableAutoRepeat() {
#if TONPARA_HAVE_XCB_XKB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    // Qt has already negotiated the XKB extension on its connection; the
    // flag is per client, so no other program is affected.
    const auto flag = static_cast<std::uint32_t>(XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT);
    const xcb_xkb_per_client_flags_cookie_t cookie =
        xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0);
    xcb_xkb_per_client_flags_reply_t* reply =
        xcb_xkb_per_client_flags_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return false;
    }
    const bool enabled = (reply->supported & flag) != 0 && (reply->value & flag) != 0;
    std::free(reply);
    return enabled;
#else
    return false;
#endif
}

} // namespace ui
