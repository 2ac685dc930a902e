// SPDX-License-Identifier: MIT
#include "music/MusicPage.h"

#include "game/GameInstallation.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "platform/SoundPreview.h"
#include "ui_MusicPage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// As the form's buttons say, in the form's context.
QString playCaption() { return QCoreApplication::translate("MusicPage", "再生"); }
QString stopCaption() { return QCoreApplication::translate("MusicPage", "停止"); }

} // namespace

MusicPage::MusicPage(Prompter& prompter, const GameInstallation& game, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_game(game)
{
}

MusicPage::~MusicPage() = default;

void MusicPage::setVisible(bool visible)
{
    // The widgets wait until the page is first shown; until then the settings hold the choices.
    if (visible)
        buildWidgets();
    QWidget::setVisible(visible);
}

void MusicPage::buildWidgets()
{
    if (m_ui)
        return;
    m_ui = std::make_unique<Ui::MusicPage>();
    m_ui->setupUi(this);
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot) {
        edit(slot)->setText(m_settings.files[std::size_t(slot)].value());
        connect(referButton(slot), &QPushButton::clicked, this,
                guarded(m_prompter, [this, slot] { ReferMusicBtnClick(slot); }));
        connect(playButton(slot), &QPushButton::clicked, this,
                guarded(m_prompter, [this, slot] { PlayMusicBtnClick(slot); }));
    }
    connect(m_ui->Button44, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button44Click(); }));
    connect(m_ui->LoadDefMusicBtn, &QPushButton::clicked, this,
            guarded(m_prompter, [this] { LoadDefMusicBtnClick(); }));
}

Ui::MusicPage& MusicPage::ui() const
{
    // Asked for by whoever needs a widget before the page was shown (a test).
    const_cast<MusicPage*>(this)->buildWidgets();
    return *m_ui;
}

QLineEdit* MusicPage::edit(int slot) const
{
    const Ui::MusicPage& ui = this->ui();
    QLineEdit* const edits[] = {ui.LabeledEdit1, ui.LabeledEdit2, ui.LabeledEdit3,
                                ui.LabeledEdit4, ui.LabeledEdit5, ui.LabeledEdit6};
    return edits[slot];
}

QPushButton* MusicPage::playButton(int slot) const
{
    const Ui::MusicPage& ui = this->ui();
    QPushButton* const buttons[] = {ui.PlayMusicBtn1, ui.PlayMusicBtn2, ui.PlayMusicBtn3,
                                    ui.PlayMusicBtn4, ui.PlayMusicBtn5, ui.PlayMusicBtn6};
    return buttons[slot];
}

QPushButton* MusicPage::referButton(int slot) const
{
    const Ui::MusicPage& ui = this->ui();
    QPushButton* const buttons[] = {ui.ReferMusicBtn1, ui.ReferMusicBtn2, ui.ReferMusicBtn3,
                                    ui.ReferMusicBtn4, ui.ReferMusicBtn5, ui.ReferMusicBtn6};
    return buttons[slot];
}

QString MusicPage::slotLabel(int slot) const
{
    const Ui::MusicPage& ui = this->ui();
    QLabel* const labels[] = {ui.MusicLabel1, ui.MusicLabel2, ui.MusicLabel3,
                              ui.MusicLabel4, ui.MusicLabel5, ui.MusicLabel6};
    return labels[slot]->text();
}

void MusicPage::fixMusicFolder() { m_files = MusicFiles(MusicFiles::findMusicFolder(m_game.folder())); }

void MusicPage::readSettings(const ProfileFile& ini)
{
    m_settings = MusicSettings::read(ini);
    if (!m_ui)
        return; // the widgets take the values when they are made
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
        edit(slot)->setText(m_settings.files[std::size_t(slot)].value());
}

void MusicPage::writeSettings(ProfileFile& ini) const { m_settings.write(ini, choices()); }

MusicFiles::Choices MusicPage::choices() const
{
    MusicFiles::Choices out;
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
        out[std::size_t(slot)] = m_ui ? edit(slot)->text() : m_settings.files[std::size_t(slot)].value();
    return out;
}

void MusicPage::ReferMusicBtnClick(int slot)
{
    // MusicOpenDlg, opening where the slot's current file lies.
    Prompter::FileRequest request;
    request.filter = tr("WAVファイル(*.wav)|*.wav");
    request.initialName = QStringLiteral("*.wav");
    request.defaultSuffix = QStringLiteral("wav");
    const QString current = edit(slot)->text();
    if (!current.isEmpty() && QFileInfo(current).absoluteDir().exists())
        request.folder = QFileInfo(current).absolutePath();
    const std::optional<QString> chosen = m_prompter.openFile(request);
    if (!chosen)
        return;
    // The choice is stored in code page 932 at the end: a path it cannot hold would come back broken.
    if (const QString refusal = cp932::unencodableMessage(*chosen); !refusal.isEmpty()) {
        m_prompter.message(Prompter::Icon::Warning, refusal);
        return;
    }
    edit(slot)->setText(QDir::toNativeSeparators(*chosen));
}

void MusicPage::PlayMusicBtnClick(int slot) { TogglePreview(playButton(slot), edit(slot)->text()); }

void MusicPage::TogglePreview(QPushButton* button, const QString& file)
{
    if (button->text() == playCaption()) {
        startPreview(file);
        for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
            playButton(slot)->setEnabled(false);
        button->setEnabled(true);
        button->setText(stopCaption());
        return;
    }
    stopPreview();
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
        playButton(slot)->setEnabled(true);
    button->setText(playCaption());
}

void MusicPage::startPreview(const QString& file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        m_previewFile = file;
        // As the platform's sound call does for a file it cannot play: the default sound.
        QApplication::beep();
        return;
    }
    if (!m_sound) {
        m_sound = SoundPreview::load();
        // A file that is not a playable sound, or a machine without an audio device, only beeps.
        m_sound->setErrorHandler([this] {
            if (!m_previewFile.isEmpty())
                QApplication::beep();
        });
    }
    m_previewFile = file;
    m_sound->play(file);
}

void MusicPage::stopPreview()
{
    m_previewFile.clear();
    if (m_sound)
        m_sound->stop();
}

QString MusicPage::failureReport(const QString& heading, const QList<MusicFiles::Failure>& failures) const
{
    QString text = heading;
    for (const MusicFiles::Failure& f : failures)
        text += QStringLiteral("\r\n\r\n%1: %2")
                    .arg(slotLabel(f.slot), QString(f.reason).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    return text;
}

void MusicPage::Button44Click()
{
    const MusicFiles::ApplyResult result = m_files.apply(choices());
    if (result.chosen == 0) {
        m_prompter.message(Prompter::Icon::Warning, tr("変更するサウンドが設定されていません;;"));
        return;
    }
    if (result.failures.isEmpty()) {
        m_prompter.message(Prompter::Icon::Information, tr("サウンドが適用されました"));
        return;
    }
    QString text =
        failureReport(tr("次のサウンドは適用できませんでした。ゲームのファイルはそのままです。"), result.failures);
    if (result.applied > 0)
        text += tr("\r\n\r\nほかのサウンドは適用されました");
    m_prompter.message(Prompter::Icon::Error, text);
}

void MusicPage::LoadDefMusicBtnClick()
{
    if (!m_prompter.confirm(Prompter::Icon::Question, tr("全て初期設定に戻します。よろしいですか？")))
        return;
    const MusicFiles::RestoreResult result = m_files.restore();
    // A slot whose game file could not come back keeps its choice: that file is still in the game.
    QList<int> kept;
    for (const MusicFiles::Failure& f : result.failures)
        kept.append(f.slot);
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot) {
        if (!kept.contains(slot))
            edit(slot)->clear();
    }
    if (!result.failures.isEmpty())
        m_prompter.message(Prompter::Icon::Error,
                           failureReport(tr("次のファイルを元に戻せませんでした。バックアップは %1 に残っています。")
                                             .arg(QDir::toNativeSeparators(m_files.backupFolder())),
                                         result.failures));
}
