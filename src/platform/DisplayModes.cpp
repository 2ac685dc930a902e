// SPDX-License-Identifier: MIT
#include "platform/DisplayModes.h"

#include <QGuiApplication>
#include <QScreen>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(MORVANE_HAVE_XRANDR)
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>
#endif

namespace {

#if defined(Q_OS_WIN)

QList<DisplayMode> systemModes()
{
    QList<DisplayMode> modes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        modes.append({int(mode.dmPelsWidth), int(mode.dmPelsHeight), int(mode.dmBitsPerPel)});
    return modes;
}

#elif defined(MORVANE_HAVE_XRANDR)

struct ResourcesFree
{
    void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct OutputFree
{
    void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
using Resources = std::unique_ptr<XRRScreenResources, ResourcesFree>;
using Output = std::unique_ptr<XRROutputInfo, OutputFree>;

// The primary output, or else the first one with a monitor connected.
Output primaryOutput(Display* display, Window root, XRRScreenResources* resources)
{
    if (const RROutput primary = XRRGetOutputPrimary(display, root)) {
        Output info(XRRGetOutputInfo(display, resources, primary));
        if (info && info->connection == RR_Connected && info->nmode > 0)
            return info;
    }
    for (int i = 0; i < resources->noutput; ++i) {
        Output info(XRRGetOutputInfo(display, resources, resources->outputs[i]));
        if (info && info->connection == RR_Connected && info->nmode > 0)
            return info;
    }
    return nullptr;
}

QList<DisplayMode> modesOf(Display* display, Window root, XRRScreenResources* resources)
{
    QList<DisplayMode> modes;
    const Output output = primaryOutput(display, root, resources);
    if (!output)
        return modes;
    // X11 modes carry no colour depth: the whole screen has one.
    for (int i = 0; i < output->nmode; ++i) {
        for (int j = 0; j < resources->nmode; ++j) {
            const XRRModeInfo& info = resources->modes[j];
            if (info.id == output->modes[i]) {
                modes.append({int(info.width), int(info.height), 0});
                break;
            }
        }
    }
    return modes;
}

QList<DisplayMode> systemModes()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return {};
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) || major < 1 ||
        (major == 1 && minor < 3))
        return {};
    const Window root = DefaultRootWindow(display);
    // The modes the server already knows first: asking it to probe the outputs again can take a
    // noticeable moment on real hardware, and start-up waits for this.
    if (const Resources current{XRRGetScreenResourcesCurrent(display, root)}) {
        QList<DisplayMode> modes = modesOf(display, root, current.get());
        if (!modes.isEmpty())
            return modes;
    }
    if (const Resources probed{XRRGetScreenResources(display, root)})
        return modesOf(display, root, probed.get());
    return {};
}

#else

QList<DisplayMode> systemModes() { return {}; }

#endif

} // namespace

QList<DisplayMode> displayModes()
{
    QList<DisplayMode> modes = systemModes();
    if (!modes.isEmpty())
        return modes;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return modes;
    const QSize size = screen->size() * screen->devicePixelRatio();
    modes.append({size.width(), size.height(), 0});
    return modes;
}
