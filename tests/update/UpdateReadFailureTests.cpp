// A stored history that cannot be read (a read failing half-way, a FIFO or folder in its place, no
// permission) stops its update before anything is fetched or written, and fails its view. The faults
// are dealt out over the readers: every reader meets one, every fault reaches several readers.
#include "UpdateFixture.h"
#include "results/DrawViews.h"
#include "results/KinoView.h"
#include "results/PropoView.h"
#include "results/SlotViews.h"
#include "results/Super3View.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

enum class Fault { EndsEarly, IoError, Fifo, Folder, NoPermission };

const std::pair<Fault, const char*> kFaults[] = {{Fault::EndsEarly, "τελείωσε μετά από 100 από τα 5000 bytes του"},
                                                 {Fault::IoError, "Input/output error"},
                                                 {Fault::Fifo, "δεν είναι κανονικό αρχείο αλλά FIFO"},
                                                 {Fault::Folder, "Is a directory"},
                                                 {Fault::NoPermission, "Permission denied"}};

// Each kind of stored file, with the game whose update reads it and the list items that reach the read.
struct Stored
{
    GameCode game;
    std::deque<int> choices;
    std::string file;
};
const Stored kStored[] = {
    {GameCode::PropoSunday, {8}, "Propok.krv"},
    {GameCode::Lotto, {8}, "LOTTO.krv"},
    {GameCode::Goal, {8}, "GOAL.krv"},
    {GameCode::Joker, {8}, "JOKER.krv"},
    {GameCode::Proto, {8}, "Proto.krv"},
    {GameCode::Extra, {8}, "Extra.krv"},
    {GameCode::Kino, {2 + 22 * 12 + 3}, "Data/kino_2026_03.qav"}, // this month
};

class ReadFailure : public UpdateEndToEnd
{
protected:
    // Puts fault in the place of the file; a readable fault gets 5000 bytes of history.
    void plant(const std::string& name, Fault fault)
    {
        const std::string path = m_folder.file(name);
        std::filesystem::remove_all(path);
        if (fault == Fault::Fifo) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else if (fault == Fault::Folder) {
            ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        } else {
            WriteBytes(path, std::string(5000, '\x11'));
        }
        if (fault == Fault::NoPermission) {
            ASSERT_EQ(::chmod(path.c_str(), 0) + ::chmod(m_folder.path().c_str(), 0755)
                          + ::chmod(m_folder.file("Data").c_str(), 0755),
                      0);
        }
    }
    // Whether action throws a message that names name and holds reason, under fault.
    bool failsUnder(Fault fault, const std::string& name, const std::string& reason,
                    const std::function<void()>& action)
    {
        const std::string base = name.substr(name.rfind('/') + 1);
        const auto check = [&] {
            try {
                action();
            } catch (const KarvoError& error) {
                const std::string text = error.what();
                return text.find(base) != std::string::npos && text.ends_with(reason);
            }
            return false;
        };
        if (fault == Fault::NoPermission) {
            return AsOrdinaryUser(check);
        }
        const FailingReader reader(100, fault == Fault::IoError ? EIO : 0);
        return check();
    }
    // Every entry under the working folder: name, kind and, for a file, its bytes.
    std::string snapshot() const
    {
        std::string all;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder.path())) {
            all += entry.path().string() + (entry.is_regular_file() ? ":" + ReadBytes(entry.path()) : "|other") + "\n";
        }
        return all;
    }
};

} // namespace

TEST_F(ReadFailure, UpdateOfAnUnreadableHistoryShowsTheFaultAndWritesNothing)
{
    for (std::size_t i = 0; i < std::size(kStored); ++i) {
        const Stored& s = kStored[i];
        const auto& [fault, reason] = kFaults[i % std::size(kFaults)];
        plant(s.file, fault);
        const std::string before = snapshot();
        EXPECT_TRUE(failsUnder(fault, s.file, reason, [&] { click(s.game, s.choices); })) << s.file << " " << reason;
        EXPECT_EQ(snapshot(), before) << s.file << " " << reason;
        EXPECT_EQ(scratchCount(), 0);
    }
    // Nothing was fetched, so nothing could be written in DATA either.
    EXPECT_EQ(m_server.requests(), std::vector<std::string>{});
}

TEST_F(ReadFailure, ViewsOfUnreadableFilesShowTheFault)
{
    m_state.KinoPeriodFile = "DATA/kino_2026_03.qav";
    const std::vector<std::pair<std::string, std::function<void()>>> views{
        {"Propos.krv", [&] { BuildPropoView(m_folder.path(), GameCode::PropoSaturday, 2015); }},
        {"JOKER.krv", [&] { BuildLottoView(m_folder.path(), GameCode::Joker, 2015); }},
        {"Proto.krv", [&] { BuildProtoView(m_folder.path(), 2015); }},
        {"Extra.krv", [&] { BuildExtraView(m_folder.path(), 2015); }},
        {"Super3.krv", [&] { BuildSuper3View(m_folder.path(), 2015); }},
        {"Data/kino_2026_03.qav", [&] { BuildKinoView(m_folder.path(), m_state.KinoPeriodFile); }},
    };
    for (std::size_t i = 0; i < views.size(); ++i) { // shifted by two against the update's dealing
        const auto& [fault, reason] = kFaults[(i + 2) % std::size(kFaults)];
        plant(views[i].first, fault);
        EXPECT_TRUE(failsUnder(fault, views[i].first, reason, views[i].second)) << views[i].first << " " << reason;
    }
    // SUPER3's file is bounded like the others: three bytes for each row a view holds. Sparse, so
    // it costs no disk.
    std::filesystem::remove_all(m_folder.file("Super3.krv"));
    WriteBytes(m_folder.file("Super3.krv"), "");
    std::filesystem::resize_file(m_folder.file("Super3.krv"), 6'000'001);
    EXPECT_TRUE(
        Fails([&] { BuildSuper3View(m_folder.path(), 2015); }, "6.000.001 bytes, περισσότερα από τα 6.000.000"));
}
