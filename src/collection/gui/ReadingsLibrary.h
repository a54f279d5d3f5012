#pragma once
// The readings library window (File, "Readings Library..."): every reading of the readings folder
// and its subfolders in a table with its natal and draconic Sun, Moon and rising signs, a search
// over names and places, sorting by any column. Open (Enter, a double click) opens the reading,
// Delete moves its file to the trash. The table follows the folder: files saved, renamed or
// removed elsewhere appear and vanish. The files are listed at once; their signs follow from a
// background calculation, with its progress on the status line. The folder is listed on a thread
// of its own that nothing waits for: a folder that never answers (a dead network share) leaves
// the window saying so, and closing it or ending the program does not wait.

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "collection/ReadingsFolder.h"
#include "reading/Reading.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace velloran {

class LibraryFilter;
class LibraryModel;
class Platform;

class ReadingsLibrary : public QWidget {
    Q_OBJECT
public:
    // How a folder is listed: ScanReadingsFolder unless another is given.
    using FolderScanner = std::function<FolderScan(const std::string&)>;

    // sourceFor gives the program's positions source for a choice: the signs are calculated with
    // it, on this thread, when the Swiss Ephemeris cannot run on another thread beside it.
    ReadingsLibrary(Platform& platform,
                    std::function<PositionsSource(const PositionsChoice&)> sourceFor,
                    QWidget* parent = nullptr, FolderScanner scanner = {});
    ~ReadingsLibrary() override;

    QString folder() const { return m_folder; }
    // Lists the folder again: the files at once, their signs after.
    void rescan();
    // The signs again, with the stored positions choice (the user changed it).
    void recompute();
    // True while the folder is being listed or the signs calculated.
    bool busy() const;

    QTableView* table() const { return m_table; }
    LibraryModel* model() const { return m_model; }

signals:
    // Enter or a double click on a reading: the program opens it as File, Open does.
    void openRequested(const QString& path);
    // A scan is in the table; then the signs of its rows are.
    void listed();
    void signsShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Scan;
    struct ScanMailbox;
    void startScan();
    void showScan(const std::shared_ptr<Scan>& found);
    void startSigns();
    void computeSlice();
    void showSigns(const std::vector<ReadingSigns>& signs);
    void watchFolders(const QStringList& folders);
    void openRow(int proxyRow);
    void trashCurrent();
    void updateButtons();
    void changeFolder();
    void updateStatus();
    void restoreColumnWidths();
    void storeColumnWidths();
    int currentSourceRow() const;

    Platform& m_platform;
    std::function<PositionsSource(const PositionsChoice&)> m_sourceFor;
    QString m_folder;
    LibraryModel* m_model;
    LibraryFilter* m_filter;
    QLineEdit* m_search;
    QTableView* m_table;
    QLabel* m_folderLabel;
    QPushButton* m_changeFolder;
    QPushButton* m_open;
    QPushButton* m_delete;
    QLabel* m_status;
    FolderScanner m_scanner;
    // Where the scan's thread leaves what it found; told when this window is gone.
    std::shared_ptr<ScanMailbox> m_mailbox;

    QFileSystemWatcher m_watcher;
    QTimer m_debounce;         // a burst of changes in the folder makes one scan
    bool m_scanning = false;   // from the start of a scan until its list is in the table
    bool m_scanAgain = false;  // the folder changed while it was being listed
    std::shared_ptr<const std::vector<FolderReading>> m_readings;
    QString m_folderError;
    QFutureWatcher<std::vector<ReadingSigns>> m_signsJob;
    // The signs calculated here, a slice at a time, when they cannot be in the background.
    QTimer m_slices;
    std::vector<ReadingSigns> m_sliceSigns;
    std::size_t m_sliceNext = 0;
    PositionsChoice m_sliceChoice;
    std::size_t m_signsDone = 0;
    bool m_computing = false;
};

}  // namespace velloran
