// SPDX-License-Identifier: MIT
#include "screens/ScreenshotFiles.h"

#include "platform/Cp932.h"
#include "platform/FolderListing.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace screenshotfiles {

namespace {

bool isBmpExtension(QByteArrayView ext) { return ext.size() == 4 && cp932::asciiLower(ext) == QByteArrayView(".bmp"); }

} // namespace

bool isScreenshotName(QStringView fileName)
{
    const qsizetype separator = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot < separator)
        return false;
    return fileName.sliced(dot).compare(u".bmp", Qt::CaseInsensitive) == 0;
}

bool isScreenshotName(QByteArrayView fileName)
{
    // Names from the disk hold no separator, and a trail byte is never '.', so the last four bytes tell.
    return fileName.size() >= 4 && isBmpExtension(fileName.last(4));
}

QString displayName(QByteArrayView name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(name);
    if (!utf8.hasError())
        return text;
    return cp932::toUnicode(name);
}

QList<ScreenshotFile> list(const QString& folder, const std::function<bool(const QString& name)>& accept)
{
    QList<ScreenshotFile> out;
    if (folder.isEmpty())
        return out;
    QByteArray base = QFile::encodeName(folder);
    // Most folders hold far more than screenshots: the cheap test on the bytes comes first.
    const auto wanted = [&accept](QByteArrayView name) { return isScreenshotName(name) && accept(displayName(name)); };
    const QList<folderlisting::File> files = folderlisting::files(base, wanted);
    if (!base.endsWith('/'))
        base += '/';
    for (const folderlisting::File& found : files)
        out.append(ScreenshotFile{base + found.name, displayName(found.name), found.modified, found.size});
    std::sort(out.begin(), out.end(), [](const ScreenshotFile& a, const ScreenshotFile& b) {
        const int byText = a.name.compare(b.name, Qt::CaseInsensitive);
        return byText != 0 ? byText < 0 : a.path < b.path;
    });
    return out;
}

} // namespace screenshotfiles
