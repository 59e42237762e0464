// Measures every command of the program at the largest sizes (32767 catalogue nodes, 32767
// list rows) and prints one table, each figure next to its floor. Run it by hand:
//   build/bench/shopping_bench [runs]
//   build/bench/shopping_bench --write-data DIR   (only writes the program folders)
#include "BenchData.h"
#include "app/ShoppingWindow.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueModel.h"
#include "catalogue/CatalogueSearch.h"
#include "list/ShoppingList.h"
#include "log/Log.h"
#include "print/PrintLayout.h"
#include "support/RecordingSurface.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Sample
{
    double min = 0;
    double median = 0;
};

Sample summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

struct Row
{
    QString what;
    Sample measured;
    QString floorName;
    Sample floor;
    QString target;
    QString unit = QStringLiteral("ms");
};

QList<Row> table;
int runs = 5;

// Times fn over the runs, with setup (not timed) before each.
Sample time(const std::function<void()> &setup, const std::function<void()> &fn)
{
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) {
        if (setup) {
            setup();
        }
        QElapsedTimer timer;
        timer.start();
        fn();
        values.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return summarise(values);
}

// Runs a probe to its end. Gives the time from starting the process to the moment the probe
// reports its window shown and loaded (it prints a CLOCK_MONOTONIC reading in ns), and the
// process's peak resident memory in MB.
std::pair<double, double> runProcess(const QStringList &command)
{
    std::vector<QByteArray> bytes;
    for (const QString &part : command) {
        bytes.push_back(part.toLocal8Bit());
    }
    std::vector<char *> argv;
    for (QByteArray &part : bytes) {
        argv.push_back(part.data());
    }
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) {
        qFatal("no pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        qFatal("cannot start %s", argv[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    QByteArray reported;
    char buffer[64];
    ssize_t got = 0;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0) {
        reported.append(buffer, got);
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || reported.trimmed().isEmpty()) {
        qFatal("%s failed", argv[0]);
    }
    const double ready = reported.trimmed().toDouble();
    const double started = double(start.tv_sec) * 1e9 + double(start.tv_nsec);
    return {(ready - started) / 1e6, double(usage.ru_maxrss) / 1024.0};
}

std::pair<Sample, Sample> processFigures(const QStringList &command)
{
    std::vector<double> ms;
    std::vector<double> mb;
    runProcess(command); // warm the file cache
    for (int i = 0; i < runs; ++i) {
        const auto [t, m] = runProcess(command);
        ms.push_back(t);
        mb.push_back(m);
    }
    return {summarise(ms), summarise(mb)};
}

void add(const QString &what, Sample measured, const QString &target, const QString &floorName = {},
         Sample floor = {})
{
    table.append({what, measured, floorName, floor, target});
}

void print()
{
    std::printf("%-54s %9s %9s   %-34s %9s %9s %7s  %s\n", "measure (min / median of runs)", "min",
                "median", "floor", "min", "median", "x floor", "target");
    for (const Row &row : std::as_const(table)) {
        const QByteArray floor = row.floorName.toUtf8();
        std::printf("%-54s %9.2f %9.2f   %-34s", row.what.toUtf8().constData(), row.measured.min,
                    row.measured.median, floor.constData());
        if (row.floorName.isEmpty()) {
            std::printf(" %9s %9s %7s", "", "", "");
        } else {
            std::printf(" %9.2f %9.2f %7.2f", row.floor.min, row.floor.median,
                        row.measured.min / row.floor.min);
        }
        std::printf("  %s\n", row.target.toUtf8().constData());
    }
}

// A display server of the benchmark's own, when Xvfb is installed: started on a free display,
// stopped by its process id.
class OwnXServer
{
public:
    OwnXServer()
    {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        const QByteArray fd = QByteArray::number(ready[1]);
        const char *argv[] = {"Xvfb",         "-displayfd", fd.constData(), "-screen", "0",
                              "1280x1024x24", "-nolisten",  "tcp",          nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, ready[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int started =
            posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, const_cast<char **>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(ready[1]);
        QByteArray number;
        char c = 0;
        while (started == 0 && read(ready[0], &c, 1) == 1 && c != '\n') {
            number.append(c);
        }
        close(ready[0]);
        if (started != 0) {
            m_pid = 0;
        } else if (!number.isEmpty()) {
            m_display = ":" + number;
        }
    }
    ~OwnXServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    Q_DISABLE_COPY_MOVE(OwnXServer)

    // Empty when none could be started.
    QByteArray display() const { return m_display; }

private:
    pid_t m_pid = 0;
    QByteArray m_display;
};

class Bench
{
public:
    // rows: how many the list file holds.
    Bench(const QString &folder, const QString &listFile, int rows = 32767)
        : m_folder(folder), m_listFile(listFile), m_rows(QLocale(QLocale::English).toString(rows)),
          m_target(QStringLiteral("<= %1 ms").arg(rows > 32767 ? 40 : 10)),
          m_window(
              std::make_unique<ShoppingWindow>(ProgramFolders::inProgramFolder(folder), m_platform))
    {
        m_window->Form_Load();
        m_tree = m_window->findChild<QTreeView *>(QStringLiteral("tvShopping"));
        m_list = m_window->findChild<QTreeView *>(QStringLiteral("lvList"));
    }

    void settle() { QCoreApplication::processEvents(); }

    // Runs a menu command as its menu entry or shortcut does.
    void trigger(const char *action)
    {
        m_window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    }

    // A changed list is discarded when New List or Open asks.
    void discardChanges()
    {
        if (m_window->list().isChanged()) {
            m_platform.messageAnswers << MessageAnswer::Discard;
        }
    }

    void newList()
    {
        discardChanges();
        trigger("mnuFile(0)");
        settle();
    }

    void openList()
    {
        discardChanges();
        m_platform.answerFileName(m_listFile);
        trigger("mnuFile(1)");
        settle();
    }

    // The commands that depend on the catalogue's size alone, at 32767 nodes.
    void runCatalogueCommands()
    {
        auto bigHeading = [this] {
            return m_window->catalogue().findFirst(QStringLiteral("Heading 0"));
        };

        add(QStringLiteral("New List, 32767 nodes, first paint"),
            time([this] { openList(); }, [this] { newList(); }), QStringLiteral("<= 10 ms"));

        add(QStringLiteral("tick heading of 30000 items, Yes"),
            time([this] { newList(); },
                 [this, bigHeading] {
                     m_platform.messageAnswers << MessageAnswer::Yes;
                     m_tree->model()->setData(model()->indexOf(bigHeading()), Qt::Checked,
                                              Qt::CheckStateRole);
                     settle();
                 }),
            QStringLiteral("<= 10 ms"));

        auto tickBig = [this, bigHeading] {
            newList();
            m_platform.messageAnswers << MessageAnswer::Yes;
            m_tree->model()->setData(model()->indexOf(bigHeading()), Qt::Checked,
                                     Qt::CheckStateRole);
            settle();
        };
        add(QStringLiteral("undo of that Yes (Ctrl+Z)"),
            time(tickBig,
                 [this] {
                     trigger("mnuEditUndo");
                     settle();
                 }),
            QStringLiteral("<= 10 ms"));
        add(QStringLiteral("redo of it (Ctrl+Y)"),
            time(
                [this, tickBig] {
                    tickBig();
                    trigger("mnuEditUndo");
                    settle();
                },
                [this] {
                    trigger("mnuEditRedo");
                    settle();
                }),
            QStringLiteral("<= 10 ms"));

        auto selectBig = [this, bigHeading] {
            m_tree->selectionModel()->select(model()->indexOf(bigHeading()),
                                             QItemSelectionModel::ClearAndSelect);
        };
        add(QStringLiteral("Ctrl+Insert on that heading (adds)"),
            time(
                [this, selectBig] {
                    newList();
                    selectBig();
                },
                [this] {
                    trigger("mnuItem(0)");
                    settle();
                }),
            QStringLiteral("<= 10 ms"));
        add(QStringLiteral("Ctrl+Insert on it again (all raises)"),
            time(
                [this, selectBig] {
                    newList();
                    selectBig();
                    trigger("mnuItem(0)");
                    settle();
                },
                [this] {
                    trigger("mnuItem(0)");
                    settle();
                }),
            QStringLiteral("<= 10 ms"));

        findInCatalogue();
    }

    // The commands whose cost grows with the list, at the size of the list file.
    void runListCommands()
    {
        const QString &target = m_target;
        add(QStringLiteral("Open %1 rows with their ticks").arg(m_rows),
            time([this] { newList(); }, [this] { openList(); }), target);

        const QString saved = QDir(m_folder).filePath(QStringLiteral("saved.shp"));
        const QByteArray bytes = [&] {
            QFile file(m_listFile);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        const Sample raw = time({}, [&] {
            QFile file(QDir(m_folder).filePath(QStringLiteral("raw.shp")));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        });
        add(QStringLiteral("Save List of %1 rows").arg(m_rows),
            time([this, saved] { m_platform.answerFileName(saved); },
                 [this] {
                     trigger("mnuFile(2)");
                     settle();
                 }),
            target, QStringLiteral("writing the same bytes raw"), raw);

        add(QStringLiteral("New List with %1 rows").arg(m_rows),
            time([this] { openList(); }, [this] { newList(); }), target);

        openList();
        for (int header = 1; header <= 3; ++header) {
            add(QStringLiteral("sort by column %1 of %2 rows, with repaint")
                    .arg(header)
                    .arg(m_rows),
                time({},
                     [this, header] {
                         emit m_list->header()->sectionClicked(header - 1);
                         settle();
                     }),
                target);
        }
        add(QStringLiteral("UpdateTotals of %1 rows").arg(m_rows),
            time({}, [this] { m_window->UpdateTotals(); }), target);

        const PrinterFontSettings noSettings;
        add(QStringLiteral("print layout of %1 rows, recording surface").arg(m_rows),
            time({},
                 [this, &noSettings] {
                     // A page as tall as the list, so that every row is really laid out.
                     RecordingSurface surface(DrawingSurface::Kind::Printer, 11906, 16838);
                     PrintShoppingList(surface, m_window->list(), noSettings);
                 }),
            target);
        add(QStringLiteral("print preview of %1 rows, window shown").arg(m_rows),
            time({},
                 [this] {
                     trigger("mnuFile(4)");
                     settle();
                 }),
            target);

        add(QStringLiteral("untick the item of row 32767 of %1").arg(m_rows),
            time([this] { openList(); },
                 [this] {
                     const ShoppingList &list = m_window->list();
                     const ListRow &last = list.row(32767);
                     const int node = m_window->catalogue().findFirst(last.item);
                     m_tree->model()->setData(model()->indexOf(node), Qt::Unchecked,
                                              Qt::CheckStateRole);
                     settle();
                 }),
            target);
        add(QStringLiteral("Del of the last of %1 rows").arg(m_rows),
            time(
                [this] {
                    openList();
                    const QModelIndex last =
                        m_list->model()->index(m_list->model()->rowCount() - 1, 0);
                    m_list->selectionModel()->select(last, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
                },
                [this] {
                    trigger("mnuItem(2)");
                    settle();
                }),
            target);
    }

    // The heap that 1,000 undo steps take on the full list: Del and "+" by turns, each on a
    // row of its own, so that every step keeps a row or a quantity of its own.
    void undoStepsMemory()
    {
        openList();
        auto select = [this](int row) {
            m_list->selectionModel()->select(m_list->model()->index(row - 1, 0),
                                             QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
        };
        // The first change gives the list rows of its own: Open's step keeps the rows it read.
        select(1);
        trigger("mnuItem(2)");
        settle();
        const size_t before = mallinfo2().uordblks;
        for (int step = 0; step < 1000; ++step) {
            select(1 + step * 30);
            trigger(step % 2 ? "mnuEditRaise" : "mnuItem(2)");
        }
        settle();
        const double mb = (double(mallinfo2().uordblks) - double(before)) / (1024.0 * 1024.0);
        table.append({QStringLiteral("heap of 1,000 undo steps, 32767 rows (MB)"),
                      {mb, mb},
                      {},
                      {},
                      QStringLiteral("a few MB"),
                      QStringLiteral("MB")});
    }

private:
    // Ctrl+K makes the find index of every node; a key typed into the find field then selects
    // the first match, or finds none after running through the whole index. (The key events
    // are made here: QTest has no key for an accented letter.)
    void findInCatalogue()
    {
        auto *field = m_window->findChild<QLineEdit *>(QStringLiteral("txtFind"));
        const auto typeInto = [this, field](const char *before, const char *key) {
            return time([field, before] { field->setText(QString::fromLatin1(before)); },
                        [this, field, key] {
                            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                            QString::fromLatin1(key));
                            QCoreApplication::sendEvent(field, &press);
                            settle();
                        });
        };
        // What Ctrl+K does after the tree changed: every node's text folded into the index.
        add(QStringLiteral("find index of 32767 nodes made (Ctrl+K)"),
            time({},
                 [this] {
                     CatalogueSearch search(m_window->catalogue());
                     search.prepare();
                 }),
            QStringLiteral("<= 10 ms"));
        trigger("mnuEditFind");
        add(QStringLiteral("find keystroke at 32767 nodes, last heading"),
            typeInto("Item 99.2", "5"), QStringLiteral("<= 10 ms"));
        add(QStringLiteral("find keystroke at 32767 nodes, no match"), typeInto("Item 99.2", "x"),
            QStringLiteral("<= 10 ms"));
        add(QStringLiteral("find keystroke at 32767 nodes, accented"), typeInto("Item 9", "\xE9"),
            QStringLiteral("<= 10 ms"));
        QTest::keyClick(field, Qt::Key_Escape);
    }

    CatalogueModel *model() { return qobject_cast<CatalogueModel *>(m_tree->model()); }

    QString m_folder;
    QString m_listFile;
    QString m_rows;
    QString m_target;
    ScriptedPlatform m_platform;
    std::unique_ptr<ShoppingWindow> m_window;
    QTreeView *m_tree = nullptr;
    QTreeView *m_list = nullptr;
};

Sample readRaw(const QString &folder)
{
    return time({}, [&] {
        const QStringList names = QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files);
        qint64 total = 0;
        for (const QString &name : names) {
            QFile file(QDir(folder).filePath(name));
            file.open(QIODevice::ReadOnly);
            total += file.readAll().size();
        }
        Q_UNUSED(total)
    });
}

// The start-up figures of whole processes, on the display platform of the environment.
void addStartupFigures(const QString &where, const QString &benchDir, const QString &small,
                       const QString &large, const QString &listFile)
{
    const QString probe = QDir(benchDir).filePath(QStringLiteral("startup_probe"));
    const auto [emptyTime, emptyMemory] =
        processFigures({QDir(benchDir).filePath(QStringLiteral("empty_window_probe"))});
    const auto [floorTime, floorMemory] =
        processFigures({QDir(benchDir).filePath(QStringLiteral("program_floor_probe"))});
    const auto [smallTime, smallMemory] = processFigures({probe, small});
    const auto [largeTime, largeMemory] = processFigures({probe, large, listFile});
    const QString floor = QStringLiteral("the program's widgets, empty");
    add(QStringLiteral("empty window of the program's widgets and fonts") + where, floorTime, {},
        QStringLiteral("a plain empty main window"), emptyTime);
    add(QStringLiteral("start-up to shown window, bundled catalogue") + where, smallTime,
        QStringLiteral("<= 1.05 x floor"), floor, floorTime);
    add(QStringLiteral("start-up, 32767 nodes, 32767 rows opened") + where, largeTime,
        QStringLiteral("<= 2.0 x floor"), floor, floorTime);
    const QString floorMb = QStringLiteral("the program's widgets, empty (MB)");
    table.append({QStringLiteral("peak memory, 32767 nodes and rows (MB)") + where, largeMemory,
                  floorMb, floorMemory, QStringLiteral("<= 1.25 x floor"), QStringLiteral("MB")});
    table.append({QStringLiteral("peak memory, bundled catalogue (MB)") + where, smallMemory,
                  floorMb, floorMemory, QString(), QStringLiteral("MB")});
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "--write-data") {
        // For bench/callgrind: the large and the bundled program folders, kept.
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        dir.mkpath(QStringLiteral("large"));
        dir.mkpath(QStringLiteral("small"));
        BenchData::writeLargeCatalogue(dir.filePath(QStringLiteral("large")));
        BenchData::writeLargeListFile(dir.filePath(QStringLiteral("large/large.shp")));
        BenchData::copyBundledCatalogue(dir.filePath(QStringLiteral("small")));
        return 0;
    }
    if (argc > 1) {
        runs = std::max(3, QByteArray(argv[1]).toInt());
    }
    QTemporaryDir large;
    QTemporaryDir small;
    BenchData::writeLargeCatalogue(large.path());
    const QString listFile = QDir(large.path()).filePath(QStringLiteral("large.shp"));
    BenchData::writeLargeListFile(listFile);
    const QString hugeListFile = QDir(large.path()).filePath(QStringLiteral("huge.shp"));
    BenchData::writeLargeListFile(hugeListFile, 100000);
    BenchData::copyBundledCatalogue(small.path());

    const QString benchDir = QCoreApplication::applicationDirPath();
    addStartupFigures(QString(), benchDir, small.path(), large.path(), listFile);
    {
        const OwnXServer server;
        if (!server.display().isEmpty()) {
            qputenv("QT_QPA_PLATFORM", "xcb");
            qputenv("DISPLAY", server.display());
            addStartupFigures(QStringLiteral(", Xvfb"), benchDir, small.path(), large.path(),
                              listFile);
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }

    Catalogue catalogue;
    const Log log(large.path(), QStringLiteral("shopping"));
    add(QStringLiteral("LoadCatalogue, 32767 nodes"),
        time({}, [&] { LoadCatalogue(catalogue, large.path(), log); }), QStringLiteral("<= 10 ms"),
        QStringLiteral("reading the same files raw"), readRaw(large.path()));

    {
        Bench bench(large.path(), listFile);
        bench.runCatalogueCommands();
        bench.runListCommands();
    }
    Bench(large.path(), hugeListFile, 100000).runListCommands();
    Bench(large.path(), listFile).undoStepsMemory(); // from a history of its own
    print();
    return 0;
}
