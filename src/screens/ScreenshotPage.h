// SPDX-License-Identifier: MIT
#pragma once

#include "screens/TImgCustomTest.h"
#include "screens/ThumbnailLoader.h"

#include <QWidget>

class GameInstallation;
class Prompter;
class QListView;
class ScreenshotModel;

// The "SSビュー" page: the game folder's screenshots as thumbnails. Each time the page is shown it
// lists the current game folder again; thumbnails are made off the window's thread and shown as
// they come, and a double-click opens the screenshot in the desktop's image viewer.
class ScreenshotPage : public QWidget
{
    Q_OBJECT
public:
    ScreenshotPage(Prompter& prompter, const GameInstallation& game, QWidget* parent = nullptr);
    ~ScreenshotPage() override;

    QListView* ImgLvSS() const { return m_view; }
    ScreenshotModel& model() const { return *m_model; }
    const TImgCustomTest& imageLoader() const { return m_imageLoader; }
    ThumbnailLoader& loader() const { return *m_loader; }
    // The folder of the newest listing.
    const QString& folder() const { return m_folder; }
    // True from a showing until its listing and every thumbnail of it are in.
    bool isLoading() const { return m_loading; }

    // Runs each time the page is shown: points the view at the current game folder and enables it.
    void TabSheet3Show();
    // Opens the screenshot in the desktop's image viewer.
    void ImgLvSSDblClick(const QModelIndex& index);

signals:
    // The newest listing is shown with all its thumbnails (or placeholders).
    void loadingFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onListed(quint64 listing, const QList<ScreenshotFile>& files);
    void onThumbnails(quint64 listing, const QList<ThumbnailLoader::Result>& results);
    void finishIfDone();

    Prompter& m_prompter;
    const GameInstallation& m_game;
    TImgCustomTest m_imageLoader; // handed to the view as its custom loader; it holds no data
    ScreenshotModel* m_model;
    QListView* m_view;
    ThumbnailLoader* m_loader;
    QString m_folder;
    bool m_loading = false;
};
