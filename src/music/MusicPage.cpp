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
    : QWidget(parent), m_ui(std::make_unique<Ui::MusicPage>()), m_prompter(prompter), m_game(game)
{
    m_ui->setupUi(this);
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot) {
        connect(referButton(slot), &QPushButton::clicked, this,
                guarded(m_prompter, [this, slot] { ReferMusicBtnClick(slot); }));
        connect(playButton(slot), &QPushButton::clicked, this,
                guarded(m_prompter, [this, slot] { PlayMusicBtnClick(slot); }));
    }
    connect(m_ui->Button44, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button44Click(); }));
    connect(m_ui->LoadDefMusicBtn, &QPushButton::clicked, this,
            guarded(m_prompter, [this] { LoadDefMusicBtnClick(); }));
}

MusicPage::~MusicPage() = default;

QLineEdit* MusicPage::edit(int slot) const
{
    QLineEdit* const edits[] = {m_ui->LabeledEdit1, m_ui->LabeledEdit2, m_ui->LabeledEdit3,
                                m_ui->LabeledEdit4, m_ui->LabeledEdit5, m_ui->LabeledEdit6};
    return edits[slot];
}

QPushButton* MusicPage::playButton(int slot) const
{
    QPushButton* const buttons[] = {m_ui->PlayMusicBtn1, m_ui->PlayMusicBtn2, m_ui->PlayMusicBtn3,
                                    m_ui->PlayMusicBtn4, m_ui->PlayMusicBtn5, m_ui->PlayMusicBtn6};
    return buttons[slot];
}

QPushButton* MusicPage::referButton(int slot) const
{
    QPushButton* const buttons[] = {m_ui->ReferMusicBtn1, m_ui->ReferMusicBtn2, m_ui->ReferMusicBtn3,
                                    m_ui->ReferMusicBtn4, m_ui->ReferMusicBtn5, m_ui->ReferMusicBtn6};
    return buttons[slot];
}

QString MusicPage::slotLabel(int slot) const
{
    QLabel* const labels[] = {m_ui->MusicLabel1, m_ui->MusicLabel2, m_ui->MusicLabel3,
                              m_ui->MusicLabel4, m_ui->MusicLabel5, m_ui->MusicLabel6};
    return labels[slot]->text();
}

void MusicPage::fixMusicFolder() { m_files = MusicFiles(MusicFiles::findMusicFolder(m_game.folder())); }

void MusicPage::readSettings(const ProfileFile& ini)
{
    m_settings = MusicSettings::read(ini);
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
        edit(slot)->setText(m_settings.files[std::size_t(slot)].value());
}

void MusicPage::writeSettings(ProfileFile& ini) const { m_settings.write(ini, choices()); }

MusicFiles::Choices MusicPage::choices() const
{
    MusicFiles::Choices out;
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
        out[std::size_t(slot)] = edit(slot)->text();
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
