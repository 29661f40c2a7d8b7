#include "cli/CommandLine.h"

#include "domain/GameNames.h"

#include <algorithm>

namespace karvo {

namespace {

constexpr std::string_view kDataFolderOption = "--data-folder";

bool IsOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

// Takes "--data-folder DIR" or "--data-folder=DIR" at arguments[i]; false when it is not that
// option. A missing value is an error for the commands.
bool TakeDataFolder(const std::vector<std::string>& arguments, std::size_t& i, CommandLine& line)
{
    const std::string& argument = arguments[i];
    if (argument.rfind(kDataFolderOption, 0) != 0) {
        return false;
    }
    const std::string_view rest = std::string_view(argument).substr(kDataFolderOption.size());
    if (!rest.empty() && rest[0] != '=') {
        return false;
    }
    line.dataFolderGiven = true;
    if (!rest.empty()) {
        line.dataFolder = rest.substr(1);
    } else if (i + 1 < arguments.size()) {
        line.dataFolder = arguments[++i];
    }
    if (line.dataFolder.empty()) {
        line.error = "το --data-folder θέλει έναν φάκελο";
    }
    return true;
}

// A game named on the command line: one the buttons show, with an update for update.
bool TakeGame(const std::string& name, bool forUpdate, CommandLine& line, GameCode& game)
{
    const std::optional<GameCode> found = GameFromName(name);
    if (!found || *found == GameCode::Bet) {
        line.error = "άγνωστο παιχνίδι: " + name;
        return false;
    }
    game = *found;
    if (forUpdate && std::ranges::find(line.games, game) == line.games.end()) {
        line.games.push_back(game);
    }
    return true;
}

void ParseUpdate(const std::vector<std::string>& arguments, CommandLine& line)
{
    bool all = false;
    for (std::size_t i = 1; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        GameCode game = GameCode::Lotto;
        if (TakeDataFolder(arguments, i, line)) {
            continue;
        }
        if (argument == "--all") {
            all = true;
        } else if (argument == "--history") {
            line.wholeHistory = true;
        } else if (argument == "--quiet" || argument == "-q") {
            line.quiet = true;
        } else if (argument == "--no-wait") {
            line.noWait = true;
        } else if (argument == "--notify") {
            line.notify = true;
        } else if (IsOption(argument)) {
            line.error = "άγνωστη επιλογή: " + argument;
        } else {
            TakeGame(argument, true, line, game);
        }
    }
    if (line.error.empty() && all && !line.games.empty()) {
        line.error = "δώστε --all ή παιχνίδια, όχι και τα δύο";
    }
}

// The arguments after the command that are no option; --data-folder is taken, any other option
// is an error.
std::vector<std::string> NamedArguments(const std::vector<std::string>& arguments, CommandLine& line)
{
    std::vector<std::string> named;
    for (std::size_t i = 1; i < arguments.size() && line.error.empty(); ++i) {
        if (TakeDataFolder(arguments, i, line)) {
            continue;
        }
        if (IsOption(arguments[i])) {
            line.error = "άγνωστη επιλογή: " + arguments[i];
        } else {
            named.push_back(arguments[i]);
        }
    }
    return named;
}

void ParseExport(const std::vector<std::string>& arguments, CommandLine& line)
{
    const std::vector<std::string> named = NamedArguments(arguments, line);
    if (!line.error.empty()) {
        return;
    }
    if (named.size() != 2) {
        line.error = named.size() < 2 ? "το export θέλει παιχνίδι και αρχείο" : "περισσότερα ορίσματα: " + named[2];
        return;
    }
    if (TakeGame(named[0], false, line, line.exportGame)) {
        line.exportFile = named[1];
    }
}

void ParseTickets(const std::vector<std::string>& arguments, CommandLine& line)
{
    const std::vector<std::string> named = NamedArguments(arguments, line);
    if (!line.error.empty() || named.empty()) {
        return;
    }
    GameCode game = GameCode::Lotto;
    if (named.size() > 1) {
        line.error = "περισσότερα ορίσματα: " + named[1];
    } else if (TakeGame(named[0], false, line, game)) {
        line.ticketGame = game;
    }
}

// The window takes "--data-folder" with or without a folder; the rest is Qt's.
void ParseWindow(const std::vector<std::string>& arguments, CommandLine& line)
{
    if (arguments.empty() || arguments[0] != kDataFolderOption) {
        return;
    }
    line.dataFolderGiven = true;
    if (arguments.size() > 1 && !IsOption(arguments[1])) {
        line.dataFolder = arguments[1];
    }
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    const std::string first = arguments.empty() ? std::string() : arguments[0];
    if (first == "--help" || first == "-h") {
        line.kind = CommandKind::Help;
    } else if (first == "--version") {
        line.kind = CommandKind::Version;
    } else if (first == "update") {
        line.kind = CommandKind::Update;
        ParseUpdate(arguments, line);
    } else if (first == "export") {
        line.kind = CommandKind::Export;
        ParseExport(arguments, line);
    } else if (first == "tickets") {
        line.kind = CommandKind::Tickets;
        ParseTickets(arguments, line);
    } else {
        ParseWindow(arguments, line);
    }
    return line;
}

std::string UsageText()
{
    return "Χρήση:\n"
           "  karvo                                  το παράθυρο, στον τρέχοντα φάκελο\n"
           "  karvo --data-folder [ΦΑΚΕΛΟΣ]          το παράθυρο στον ΦΑΚΕΛΟ· χωρίς αυτόν, στον φάκελο\n"
           "                                         δεδομένων του χρήστη (KARVO_DATA_DIR ή ~/.local/share/karvo)\n"
           "  karvo update [--all | ΠΑΙΧΝΙΔΙ...] [--data-folder ΦΑΚΕΛΟΣ] [--history] [--quiet] [--no-wait]\n"
           "                                         [--notify]\n"
           "                                         ενημερώνει τα παιχνίδια (χωρίς ΠΑΙΧΝΙΔΙ: όλα)\n"
           "  karvo export ΠΑΙΧΝΙΔΙ ΑΡΧΕΙΟ [--data-folder ΦΑΚΕΛΟΣ]\n"
           "                                         γράφει τη λίστα του παιχνιδιού για το EXCEL\n"
           "                                         (ΑΡΧΕΙΟ \"-\": στην έξοδο)\n"
           "  karvo tickets [ΠΑΙΧΝΙΔΙ] [--data-folder ΦΑΚΕΛΟΣ]\n"
           "                                         τα αποτελέσματα των δελτίων μου (χωρίς ΠΑΙΧΝΙΔΙ: όλων)\n"
           "  karvo --help | -h                      αυτή η βοήθεια\n"
           "  karvo --version                        η έκδοση\n"
           "\n"
           "  --history   KINO και SUPER3 χωρίς αποθηκευμένα: όλοι οι μήνες, όχι μόνο οι τελευταίοι δώδεκα\n"
           "  --quiet, -q χωρίς γραμμές προόδου και σύνοψη: μόνο αποτυχίες (στο stderr) και κέρδη δελτίων\n"
           "  --no-wait   αν τρέχει ήδη ενημέρωση στον ίδιο φάκελο, τέλος αμέσως αντί για αναμονή\n"
           "  --notify    ειδοποίηση στην επιφάνεια εργασίας όταν κάποιο δελτίο κέρδισε\n"
           "\n"
           "Παιχνίδια: όπως στα κουμπιά (\"LOTTO\", \"Κινο\", \"ΠΡΟΠΟ ΚΥΡΙΑΚΗ\") ή propo-sun, propo-sat,\n"
           "propo-wed, lotto, goal, joker, proto, extra, super3, kino, stock, funds.\n"
           "\n"
           "Κωδικός εξόδου: 0 όλα εντάξει, 1 κάποιο παιχνίδι απέτυχε ή η ενημέρωση διακόπηκε\n"
           "(tickets: το αρχείο των δελτίων δεν διαβάζεται), 2 λάθος ορίσματα, άγνωστο παιχνίδι\n"
           "ή φάκελος που δεν χρησιμοποιείται.\n";
}

std::string VersionText()
{
    return std::string("karvo ") + KARVO_VERSION + "\n";
}

} // namespace karvo
