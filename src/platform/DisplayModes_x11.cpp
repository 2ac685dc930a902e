// SPDX-License-Identifier: MIT
// X11: the modes XRandR gives for the primary output.
#include "platform/DisplayModes.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

namespace {

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

} // namespace

QList<DisplayMode> systemDisplayModes()
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
