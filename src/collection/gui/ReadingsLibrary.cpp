#include "collection/gui/ReadingsLibrary.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <mutex>
#include <thread>

#include "collection/gui/LibraryModel.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/ManyReadings.h"
#include "ui/Accessibility.h"
#include "ui/LibraryFolder.h"
#include "ui/Platform.h"
#include "ui/PositionsMenu.h"

namespace velloran {

namespace {

const QString kSection = QStringLiteral("Library");
const QString kWidths = QStringLiteral("ColumnWidths");
// Name, Born, Place, then the six signs.
constexpr int kDefaultWidths[LibraryModel::ColumnCount] = {240, 140, 190, 95, 95,
                                                           95,  105, 115, 125};
// How long the table waits after a change in the folder before listing it again: a save or a
// copy of many files is one burst of changes.
constexpr int kDebounceMs = 200;
// The longest a slice of signs calculated on this thread keeps the window from answering.
constexpr qint64 kSliceMs = 12;

// The folders under folder (and folder itself): each is watched for files coming and going.
QStringList FoldersUnder(const QString& folder) {
    QStringList folders{folder};
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) folders << it.next();
    return folders;
}

}  // namespace

// What a scan found, made on a worker thread.
struct ReadingsLibrary::Scan {
    FolderScan scan;
    QStringList folders;
};

// The scan's thread hands what it found to the window, if the window is still there, under the
// lock the window's end takes to say it is gone: no call reaches a window being destroyed, and
// a call posted before is dropped with the window's other events.
struct ReadingsLibrary::ScanMailbox {
    std::mutex mutex;
    ReadingsLibrary* library = nullptr;
};

ReadingsLibrary::ReadingsLibrary(Platform& platform,
                                 std::function<PositionsSource(const PositionsChoice&)> sourceFor,
                                 QWidget* parent, FolderScanner scanner)
    : QWidget(parent, Qt::Window),
      m_platform(platform),
      m_sourceFor(std::move(sourceFor)),
      m_folder(LibraryFolder(platform)),
      m_model(new LibraryModel(this)),
      m_filter(new LibraryFilter(m_model, this)),
      m_search(new QLineEdit),
      m_table(new QTableView),
      m_folderLabel(new QLabel),
      m_changeFolder(new QPushButton(tr("Change &Folder..."))),
      m_open(new QPushButton(tr("&Open"))),
      m_delete(new QPushButton(tr("&Delete..."))),
      m_status(new QLabel),
      m_scanner(scanner ? std::move(scanner) : FolderScanner(ScanReadingsFolder)),
      m_mailbox(std::make_shared<ScanMailbox>()) {
    m_mailbox->library = this;
    SpeakAsWindow(this);
    setObjectName(QStringLiteral("frmLibrary"));
    setWindowTitle(tr("Readings Library"));

    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setPlaceholderText(tr("Search names and places"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(tr("Search readings"));
    m_search->setAccessibleDescription(
        tr("Shows only the readings whose name or place holds the text typed"));
    auto* searchLabel = new QLabel(tr("&Search:"));
    searchLabel->setBuddy(m_search);

    m_table->setObjectName(QStringLiteral("tblReadings"));
    m_table->setAccessibleName(tr("Readings"));
    m_table->setAccessibleDescription(
        tr("Enter opens the reading, Delete moves its file to the trash"));
    m_table->setModel(m_filter);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    // Every row one line high: no row is measured, so ten thousand of them lay out at once.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(LibraryModel::Name, Qt::AscendingOrder);
    m_table->installEventFilter(this);
    m_search->installEventFilter(this);
    restoreColumnWidths();

    m_folderLabel->setObjectName(QStringLiteral("lblFolder"));
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_changeFolder->setObjectName(QStringLiteral("cmdChangeFolder"));
    m_open->setObjectName(QStringLiteral("cmdOpen"));
    m_open->setToolTip(tr("Opens the chosen reading (Enter, or a double click on its row)"));
    m_delete->setObjectName(QStringLiteral("cmdDelete"));
    m_delete->setToolTip(tr("Moves the chosen reading's file to the trash (the Delete key)"));
    m_open->setEnabled(false);
    m_delete->setEnabled(false);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setAccessibleName(tr("Status"));

    auto* top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_open);
    bottom->addWidget(m_delete);
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_folderLabel);
    bottom->addWidget(m_changeFolder);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);
    resize(1240, 640);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setSearch(text);
        updateStatus();
    });
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    connect(m_changeFolder, &QPushButton::clicked, this, &ReadingsLibrary::changeFolder);
    connect(m_open, &QPushButton::clicked, this, [this] {
        if (m_table->currentIndex().isValid()) openRow(m_table->currentIndex().row());
    });
    connect(m_delete, &QPushButton::clicked, this, &ReadingsLibrary::trashCurrent);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ReadingsLibrary::updateButtons);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &ReadingsLibrary::updateButtons);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &ReadingsLibrary::updateButtons);

    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kDebounceMs);
    connect(&m_debounce, &QTimer::timeout, this, &ReadingsLibrary::rescan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this] { m_debounce.start(); });
    connect(&m_signsJob, &QFutureWatcher<std::vector<ReadingSigns>>::progressValueChanged, this,
            [this](int done) {
                m_signsDone = static_cast<std::size_t>(done);
                updateStatus();
            });
    connect(&m_signsJob, &QFutureWatcher<std::vector<ReadingSigns>>::finished, this, [this] {
        const QFuture<std::vector<ReadingSigns>> future = m_signsJob.future();
        if (future.isCanceled() || future.resultCount() == 0) return;
        showSigns(future.result());
    });
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &ReadingsLibrary::computeSlice);

    rescan();
}

ReadingsLibrary::~ReadingsLibrary() {
    {
        // A scan still running is not waited for: it finds no one to tell and ends on its own.
        const std::lock_guard lock(m_mailbox->mutex);
        m_mailbox->library = nullptr;
    }
    m_signsJob.cancel();
    m_signsJob.waitForFinished();  // a calculation of signs ends within one reading
}

void ReadingsLibrary::updateButtons() {
    const bool chosen = m_table->currentIndex().isValid();
    m_open->setEnabled(chosen);
    m_delete->setEnabled(chosen);
}

bool ReadingsLibrary::busy() const { return m_scanning || m_computing; }

void ReadingsLibrary::rescan() {
    if (m_scanning) {
        m_scanAgain = true;
        return;
    }
    startScan();
}

void ReadingsLibrary::startScan() {
    m_scanAgain = false;
    m_scanning = true;
    m_folderLabel->setText(m_folder);
    m_folderLabel->setToolTip(m_folder);
    if (m_model->rowCount() == 0) m_status->setText(tr("Reading the folder…"));
    // A thread of its own, not the shared pool: the program's end waits for the pool.
    std::thread([folder = m_folder, scanner = m_scanner, mailbox = m_mailbox] {
        auto found = std::make_shared<Scan>();
        found->scan = scanner(QFile::encodeName(folder).toStdString());
        if (found->scan.error.empty() && !folder.isEmpty()) found->folders = FoldersUnder(folder);
        const std::lock_guard lock(mailbox->mutex);
        if (ReadingsLibrary* library = mailbox->library)
            QMetaObject::invokeMethod(
                library, [library, found] { library->showScan(found); }, Qt::QueuedConnection);
    }).detach();
}

void ReadingsLibrary::showScan(const std::shared_ptr<Scan>& found) {
    if (m_scanAgain) {
        startScan();
        return;
    }
    m_scanning = false;
    // The signs of the earlier list are of no use now.
    m_signsJob.cancel();
    m_slices.stop();
    m_computing = false;

    const int current = currentSourceRow();
    const QString currentPath = current >= 0 ? m_model->path(current) : QString();
    m_folderError = QString::fromStdString(found->scan.error);
    m_readings =
        std::make_shared<const std::vector<FolderReading>>(std::move(found->scan.readings));
    m_model->setReadings(*m_readings);
    watchFolders(found->folders);

    // The row that was current stays so; otherwise the first row shown.
    const int row = currentPath.isEmpty() ? -1 : m_model->rowOf(currentPath);
    const QModelIndex shown =
        row >= 0 ? m_filter->mapFromSource(m_model->index(row, 0)) : m_filter->index(0, 0);
    if (shown.isValid()) {
        m_table->selectionModel()->setCurrentIndex(
            shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (row >= 0) m_table->scrollTo(shown);
    }
    emit listed();
    startSigns();
}

void ReadingsLibrary::watchFolders(const QStringList& folders) {
    QStringList wanted = folders;
    // A folder not made yet: its parent tells when it is (the first save makes it).
    if (wanted.isEmpty()) {
        QDir parent = QFileInfo(m_folder).dir();
        if (parent.exists()) wanted << parent.path();
    }
    const QStringList watched = m_watcher.directories();
    QStringList gone;
    for (const QString& dir : watched)
        if (!wanted.contains(dir)) gone << dir;
    if (!gone.isEmpty()) m_watcher.removePaths(gone);
    QStringList added;
    for (const QString& dir : wanted)
        if (!watched.contains(dir)) added << dir;
    if (!added.isEmpty()) m_watcher.addPaths(added);
}

void ReadingsLibrary::recompute() {
    if (m_scanning) return;  // the scan's end starts the signs with the new choice
    m_signsJob.cancel();
    m_slices.stop();
    startSigns();
}

void ReadingsLibrary::startSigns() {
    m_signsDone = 0;
    const PositionsChoice choice = StoredPositionsChoice(m_platform);
    if (!m_readings || m_readings->empty()) {
        m_computing = false;
        updateStatus();
        emit signsShown();
        return;
    }
    m_computing = true;
    updateStatus();
    if (choice.precise() && !ephemeris::StatePerThread()) {
        // The library's state is the process's: the program's own ephemeris, on this thread.
        m_sliceChoice = choice;
        m_sliceSigns.assign(m_readings->size(), ReadingSigns{});
        m_sliceNext = 0;
        m_slices.start();
        return;
    }
    std::shared_ptr<const std::vector<FolderReading>> readings = m_readings;
    m_signsJob.setFuture(
        QtConcurrent::run([readings, choice](QPromise<std::vector<ReadingSigns>>& promise) {
            const std::size_t count = readings->size();
            promise.setProgressRange(0, static_cast<int>(count));
            std::vector<ReadingSigns> signs(count);
            std::atomic<std::size_t> done{0};
            ForEachReading(count, choice, [&](std::size_t i, const PositionsSource& source) {
                if (promise.isCanceled()) return;
                signs[i] = ComputeSigns((*readings)[i], source);
                const std::size_t finished = done.fetch_add(1) + 1;
                if (finished % 64 == 0) promise.setProgressValue(static_cast<int>(finished));
            });
            if (promise.isCanceled()) return;
            promise.setProgressValue(static_cast<int>(count));
            promise.addResult(std::move(signs));
        }));
}

void ReadingsLibrary::computeSlice() {
    if (!m_readings) return;
    const PositionsSource source = m_sourceFor(m_sliceChoice);
    QElapsedTimer clock;
    clock.start();
    while (m_sliceNext < m_readings->size() && clock.elapsed() < kSliceMs) {
        m_sliceSigns[m_sliceNext] = ComputeSigns((*m_readings)[m_sliceNext], source);
        ++m_sliceNext;
    }
    m_signsDone = m_sliceNext;
    if (m_sliceNext < m_readings->size()) {
        updateStatus();
        return;
    }
    m_slices.stop();
    showSigns(m_sliceSigns);
}

void ReadingsLibrary::showSigns(const std::vector<ReadingSigns>& signs) {
    m_computing = false;
    m_model->setSigns(signs);
    // A sort by a sign column places the rows again now that they have their signs.
    m_filter->invalidate();
    updateStatus();
    emit signsShown();
}

void ReadingsLibrary::updateStatus() {
    QString text;
    if (!m_folderError.isEmpty()) {
        text = m_folderError == QStringLiteral("no such folder")
                   ? tr("No readings yet: the folder is made when a reading is first saved.")
                   : tr("The folder cannot be listed: %1.").arg(m_folderError);
    } else {
        // A file that cannot be opened (damaged, a pipe, a link to nothing) is no reading: it is
        // counted apart.
        int unusable = 0;
        for (int row = 0; row < m_model->rowCount(); ++row)
            if (!m_model->fileError(row).isEmpty()) ++unusable;
        const int all = m_model->rowCount() - unusable;
        const int shown = m_filter->rowCount();
        text = all == 1 ? tr("1 reading") : tr("%1 readings").arg(all);
        if (shown != all + unusable) text = tr("%1 of %2").arg(shown).arg(text);
        if (unusable > 0)
            text += unusable == 1 ? tr(", 1 file that cannot be opened")
                                  : tr(", %1 files that cannot be opened").arg(unusable);
        if (m_computing) text += tr(" — computing signs: %1 of %2").arg(m_signsDone).arg(all);
    }
    m_status->setText(text);
}

int ReadingsLibrary::currentSourceRow() const {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) return -1;
    return m_filter->mapToSource(current).row();
}

void ReadingsLibrary::openRow(int proxyRow) {
    const QModelIndex index = m_filter->mapToSource(m_filter->index(proxyRow, 0));
    if (!index.isValid()) return;
    const int row = index.row();
    const QString error = m_model->fileError(row);
    if (!error.isEmpty()) {
        m_platform.showMessage(this,
                               tr("'%1' cannot be opened: %2.").arg(m_model->name(row), error),
                               MessageIcon::Error);
        return;
    }
    emit openRequested(m_model->path(row));
}

void ReadingsLibrary::trashCurrent() {
    const int row = currentSourceRow();
    if (row < 0) return;
    const QString name = m_model->name(row);
    const QString path = m_model->path(row);
    if (!m_platform.askYesNo(this, tr("Move '%1' to the trash?").arg(name), MessageIcon::Question))
        return;
    QString error;
    if (!m_platform.moveToTrash(path, error)) {
        // Without a trash the file can still go, for good, if the user says so.
        if (!m_platform.askYesNo(this,
                                 tr("'%1' could not be moved to the trash: %2.\n\nDelete it for "
                                    "good instead? It cannot be brought back.")
                                     .arg(name, error),
                                 MessageIcon::Question))
            return;
        QFile file(path);
        if (!file.remove()) {
            m_platform.showMessage(
                this, tr("'%1' could not be deleted: %2").arg(name, file.errorString()),
                MessageIcon::Error);
            return;
        }
    }
    rescan();
}

void ReadingsLibrary::changeFolder() {
    // The dialog starts in the readings folder, or at home before it is made: never in the
    // program's working folder.
    const QString start = QFileInfo(m_folder).isDir() ? m_folder : QDir::homePath();
    const QString chosen =
        m_platform.getExistingFolder(this, tr("Choose the readings folder"), start);
    if (chosen.isEmpty()) return;
    StoreLibraryFolder(m_platform, chosen);
    m_folder = LibraryFolder(m_platform);
    rescan();
}

bool ReadingsLibrary::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == m_table) {
        if (enter && m_table->currentIndex().isValid()) {
            openRow(m_table->currentIndex().row());
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            trashCurrent();
            return true;
        }
    } else if (watched == m_search && (key->key() == Qt::Key_Down || enter)) {
        // From the search box to the rows it left: Down goes to them, Enter opens the first one.
        if (m_filter->rowCount() == 0) return true;
        if (!m_table->currentIndex().isValid())
            m_table->selectionModel()->setCurrentIndex(
                m_filter->index(0, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (enter) {
            openRow(m_table->currentIndex().row());
        } else {
            m_table->setFocus();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ReadingsLibrary::hideEvent(QHideEvent* event) {
    storeColumnWidths();
    QWidget::hideEvent(event);
}

void ReadingsLibrary::restoreColumnWidths() {
    const QStringList stored = m_platform.readSetting(kSection, kWidths).split(QLatin1Char(','));
    for (int c = 0; c < LibraryModel::ColumnCount; ++c) {
        bool ok = false;
        const int width = c < stored.size() ? stored[c].toInt(&ok) : 0;
        m_table->setColumnWidth(c, ok && width >= 20 && width <= 2000 ? width : kDefaultWidths[c]);
    }
}

void ReadingsLibrary::storeColumnWidths() {
    QStringList widths;
    for (int c = 0; c < LibraryModel::ColumnCount; ++c)
        widths << QString::number(m_table->columnWidth(c));
    m_platform.writeSetting(kSection, kWidths, widths.join(QLatin1Char(',')));
}

}  // namespace velloran
