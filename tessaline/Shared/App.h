#pragma once

#include "tessaline/Shared/TessalineExport.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace tessaline {

// What the running program and the machine are, read afresh at every call from the bundle table
// (foundation::BundleInfo) and the operating system. Callable from any thread.
class TESSALINE_EXPORT App
{
public:
    App() = delete;

    // The display name, else the name, else empty.
    static QString name();
    // The short version when it is not empty, else the build version, else "0".
    static QString version();
    // The copyright line, else empty.
    static QString copyright();
    // The machine's hardware name as the kernel reports it ("x86_64").
    static QString deviceModel();
    // Always "Linux".
    static QString platform();
    // "Linux ", the distribution's pretty name and the kernel release, e.g.
    // "Linux Debian GNU/Linux 12 (bookworm) 6.1.0-18-amd64".
    static QString operatingSystem();
    // The application's own folder in the XDG data directory, named by the bundle identifier (or
    // "com.quillory.test" without one) and created when missing. On failure one line
    // "Error locating application support subdirectory: <reason>" goes to standard output and the result
    // is empty.
    static std::optional<QUrl> applicationSupportSubdirectory();
};

} // namespace tessaline
