// SPDX-License-Identifier: MIT
#include "screens/ScreenshotPage.h"

#include "game/GameInstallation.h"
#include "platform/FolderListing.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "screens/ScreenshotModel.h"
#include "screens/ThumbnailDelegate.h"
#include "screens/ThumbnailNames.h"

#include <QDesktopServices>
#include <QDir>
#include <QListView>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

ScreenshotPage::ScreenshotPage(Prompter& prompter, const GameInstallation& game, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_game(game), m_model(new ScreenshotModel(this)),
      m_view(new QListView(this)), m_loader(new ThumbnailLoader(m_imageLoader, ThumbnailDelegate::imageBox(), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_view->setObjectName(QStringLiteral("ImgLvSS"));
    m_view->setViewMode(QListView::IconMode);
    m_view->setMovement(QListView::Static);
    m_view->setResizeMode(QListView::Adjust);
    m_view->setWrapping(true);
    m_view->setSpacing(2);
    // Every cell has the same size, so laying out thousands of files takes no measuring.
    m_view->setUniformItemSizes(true);
    m_view->setLayoutMode(QListView::Batched);
    m_view->setBatchSize(200);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setItemDelegate(new ThumbnailDelegate(m_view));
    QPalette palette = m_view->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::black);
        palette.setColor(group, QPalette::Window, Qt::black);
        palette.setColor(group, QPalette::Text, Qt::white);
    }
    m_view->setPalette(palette);
    m_view->setModel(m_model);
    m_view->setEnabled(false);

    connect(m_view, &QListView::doubleClicked, this,
            guarded(m_prompter, [this](const QModelIndex& index) { ImgLvSSDblClick(index); }));
    connect(m_loader, &ThumbnailLoader::listed, this, &ScreenshotPage::onListed);
    connect(m_loader, &ThumbnailLoader::thumbnailsReady, this, &ScreenshotPage::onThumbnails);
    // A page in view lists the new game's screenshots at once; a hidden one does when it is shown.
    connect(&m_game, &GameInstallation::folderChanged, this, [this] {
        if (isVisible())
            TabSheet3Show();
    });
}

ScreenshotPage::~ScreenshotPage()
{
    // Its workers use the image loader, which goes with this object's members.
    delete m_loader;
}

void ScreenshotPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from the tray shows its pages again without the user choosing this one.
    if (!event->spontaneous())
        TabSheet3Show();
}

void ScreenshotPage::TabSheet3Show()
{
    m_folder = m_game.folder();
    m_loading = true;
    m_loader->list(m_folder);
    m_view->setEnabled(true);
}

void ScreenshotPage::onListed(quint64 listing, const QList<ScreenshotFile>& files)
{
    if (listing != m_loader->currentListing())
        return;
    const QList<int> rows = m_model->setFiles(files);
    QList<ThumbnailLoader::Request> requests;
    requests.reserve(rows.size());
    for (int row : rows)
        requests.append({row, m_model->item(row).file});
    m_loader->load(listing, std::move(requests));
    finishIfDone();
}

void ScreenshotPage::onThumbnails(quint64 listing, const QList<ThumbnailLoader::Result>& results)
{
    // Rows belong to one listing: another's would land on the wrong files.
    if (listing != m_loader->currentListing())
        return;
    for (const ThumbnailLoader::Result& r : results)
        m_model->setThumbnail(r.row, r.image, r.error);
    finishIfDone();
}

void ScreenshotPage::finishIfDone()
{
    if (m_loading && m_model->pendingCount() == 0) {
        m_loading = false;
        emit loadingFinished();
    }
}

void ScreenshotPage::ImgLvSSDblClick(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const ScreenshotFile& file = m_model->item(index.row()).file;
    if (!folderlisting::exists(file.path)) {
        m_prompter.message(Prompter::Icon::Warning, tr("%1 が見つかりません").arg(QDir::toNativeSeparators(file.name)));
        return;
    }
    // The URL keeps the name's own bytes, so a name that is not UTF-8 still reaches the viewer.
    if (!QDesktopServices::openUrl(QUrl::fromEncoded(thumbnailnames::uriFor(file.path))))
        m_prompter.message(Prompter::Icon::Warning, tr("%1 を開けません").arg(QDir::toNativeSeparators(file.name)));
}
