// SPDX-License-Identifier: MIT
#pragma once

#include "music/MusicFiles.h"
#include "music/MusicSettings.h"

#include <QWidget>

#include <memory>

class GameInstallation;
class ProfileFile;
class Prompter;
class QLineEdit;
class QPushButton;
class SoundPreview;
namespace Ui {
class MusicPage;
}

// The "ミュージック" page inside "全般": six slots, each a chosen sound file with its browse and
// preview buttons, and the buttons that apply the choices to the game and restore its own music.
class MusicPage : public QWidget
{
    Q_OBJECT
public:
    MusicPage(Prompter& prompter, const GameInstallation& game, QWidget* parent = nullptr);
    ~MusicPage() override;

    void setVisible(bool visible) override;

    // Start-up: the game folder's music folder, found in any letter case. It stays for the whole
    // run; another game folder chosen later takes effect at the next start.
    void fixMusicFolder();
    const QString& musicFolder() const { return m_files.musicFolder(); }

    void readSettings(const ProfileFile& ini);
    void writeSettings(ProfileFile& ini) const;

    // Slots are 0-based.
    QLineEdit* edit(int slot) const;
    QPushButton* playButton(int slot) const;
    QPushButton* referButton(int slot) const;
    QString slotLabel(int slot) const;

    // Shared by the six "参照" buttons: MusicOpenDlg, and the chosen file into the slot's edit.
    void ReferMusicBtnClick(int slot);
    // "再生" starts playing the file and leaves only this button enabled, as "停止"; "停止" stops.
    // When the sound module cannot be loaded, says so and leaves the buttons as they were.
    void TogglePreview(QPushButton* button, const QString& file);
    void PlayMusicBtnClick(int slot);
    // "適用".
    void Button44Click();
    // "初期設定に戻す".
    void LoadDefMusicBtnClick();

    // The file a preview was last started with, empty while none plays.
    const QString& previewFile() const { return m_previewFile; }

private:
    void buildWidgets();
    Ui::MusicPage& ui() const;
    MusicFiles::Choices choices() const;
    void startPreview(const QString& file);
    void stopPreview();
    QString failureReport(const QString& heading, const QList<MusicFiles::Failure>& failures) const;

    std::unique_ptr<Ui::MusicPage> m_ui;
    Prompter& m_prompter;
    const GameInstallation& m_game;
    MusicFiles m_files;
    MusicSettings m_settings;
    std::unique_ptr<SoundPreview> m_sound; // made on the first preview: its module and sound service are slow to start
    QString m_previewFile;
};
