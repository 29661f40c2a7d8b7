// The fixture of the update tests that run the driver against a loopback server.
#pragma once

#include "support/FetchFixture.h"
#include "support/UpdateTests.h"
#include "update/UpdateDriver.h"

#include <QDir>
#include <optional>

namespace karvo::test {

// Updates on 15 March 2026 against one server for both of the operator's hosts, into an empty DATA.
class UpdateEndToEnd : public FetchFixture
{
protected:
    void SetUp() override
    {
        FetchFixture::SetUp();
        emptyData();
    }

    // What an update click asks of the window: the game to show again, if any.
    struct Clicked
    {
        std::optional<GameCode> viewGame;
        bool clearNotice;
    };
    // Presses the update button for the game with the given code on 15 March 2026 and picks the
    // given list items.
    Clicked click(GameCode game, std::deque<int> choices)
    {
        m_state.GameCode = game;
        m_ui.listAnswers = std::move(choices);
        UpdateContext context{
            m_state, m_ui, m_folder.path(), QDate(2026, 3, 15), {m_server.baseUrl(), m_server.baseUrl()}, m_limits};
        const UpdateOutcome outcome = RunUpdate(context);
        if (outcome.clearNotice) {
            m_ui.StatusNotice("");
        }
        return {outcome.viewGame, outcome.clearNotice};
    }
    // An empty DATA folder: nothing readable kept from an earlier update.
    void emptyData()
    {
        QDir data(QString::fromStdString(m_folder.file("Data")));
        data.removeRecursively();
        data.mkpath(".");
    }

    ProgramState m_state;
};

} // namespace karvo::test
