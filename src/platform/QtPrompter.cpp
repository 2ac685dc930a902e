// SPDX-License-Identifier: MIT
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

const QString& caption()
{
    static const QString text = QCoreApplication::translate("QtPrompter", "モルベーン");
    return text;
}

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString startPath(const Prompter::FileRequest& r)
{
    const QString folder = r.folder.isEmpty() ? QDir::currentPath() : r.folder;
    return r.initialName.contains(QLatin1Char('*')) ? folder : QDir(folder).filePath(r.initialName);
}

// Messages carry Windows line ends; a label wants plain ones.
QString shown(const QString& text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

} // namespace

QWidget* QtPrompter::owner() const
{
    // A question raised by a dialog belongs to that dialog: it centres on it and stays above it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_owner;
}

void QtPrompter::message(Icon icon, const QString& text)
{
    QMessageBox box(boxIcon(icon), caption(), shown(text), QMessageBox::Ok, owner());
    // Messages quote names and lists that came from hosts and files: never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPrompter::confirm(Icon icon, const QString& text)
{
    QMessageBox box(boxIcon(icon), caption(), shown(text), QMessageBox::Yes | QMessageBox::No, owner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompter::input(const QString& caption, const QString& prompt, const QString& defaultText)
{
    return query(caption, prompt, defaultText).value_or(defaultText);
}

std::optional<QString> QtPrompter::query(const QString& caption, const QString& prompt, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompter::qtFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString inBrackets = QLatin1Char('(') + patterns + QLatin1Char(')');
        // "WAVファイル(*.wav)" names its pattern already; Qt takes the last brackets as the filter.
        if (parts[i].endsWith(inBrackets))
            out << parts[i];
        else
            out << parts[i] + QLatin1Char(' ') + inBrackets;
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> QtPrompter::openFile(const FileRequest& r)
{
    const QString path = QFileDialog::getOpenFileName(owner(), r.title, startPath(r), qtFilter(r.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtPrompter::saveFile(const FileRequest& r)
{
    QFileDialog dialog(owner(), r.title, startPath(r), qtFilter(r.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::pickFolder(const QString& title, const QString& initial)
{
    const QString path = QFileDialog::getExistingDirectory(owner(), title, initial);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<quint32> QtPrompter::pickColour(quint32 initial)
{
    const QColor c = QColorDialog::getColor(QColor::fromRgb(initial), owner());
    if (!c.isValid())
        return std::nullopt;
    return c.rgb() & 0xFFFFFFu;
}
