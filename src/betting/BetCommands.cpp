#include "betting/BetCommands.h"

#include "betting/BetFile.h"
#include "betting/Coupon.h"
#include "betting/CouponImport.h"
#include "betting/SystemCheck.h"
#include "domain/UserInterface.h"
#include "export/SpreadsheetExport.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/ScratchFiles.h"

#include <cstdlib>

namespace karvo {

namespace {

std::string betFilter()
{
    return Utf8ToCp1253("Αρχεία BET");
}

bool addMatch(BetContext& context)
{
    std::vector<std::string> fields(5);
    std::vector<std::string> labels;
    for (const char* label : {"ΓΗΠΕΔΟΥΧΟΣ", "ΦΙΛΟΞΕΝΟΥΜΕΝΗ", "ODD 1", "ODD X", "ODD 2"}) {
        labels.push_back(Utf8ToCp1253(label));
    }
    std::vector<int> lines(5, 1);
    if (!context.ui.MemoBox(Utf8ToCp1253("Πρόσθεσε ένα αγώνα"), fields, labels, lines, 1)) {
        return false;
    }
    AddMatch(context.coupon, fields);
    return true;
}

bool openBetFile(BetContext& context)
{
    std::string name;
    if (!context.ui.ChooseFileName(betFilter(), "bet", std::string(), FileChooserMode::Open, name)) {
        return false;
    }
    RemoveStaleScratchFilesBeside(name, context.now);
    CellGrid read = context.coupon;
    switch (LoadBetFile(name, read)) {
    case BetFileStatus::Read: context.coupon = std::move(read); return true;
    case BetFileStatus::Empty:
        context.ui.ShowNotice(NoticeKind::Warning, Utf8ToCp1253("Το αρχείο είναι κενό ή δεν διαβάζεται: ") + name);
        return false;
    case BetFileStatus::NotABetFile:
        context.ui.ShowNotice(NoticeKind::Warning, Utf8ToCp1253("Το αρχείο δεν είναι αρχείο κουπονιού: ") + name);
        return false;
    }
    return false;
}

// Why a coupon is not saved; empty when it fits a bet file.
std::string unfitReason(BetFileFit fit)
{
    switch (fit) {
    case BetFileFit::Fits: return {};
    case BetFileFit::TooManyRows: return "έχει περισσότερους από " + std::to_string(kBetFileMaxRows) + " αγώνες.";
    case BetFileFit::CellTooLong:
        return "ένα κελί του έχει περισσότερους από " + std::to_string(kBetFileMaxLine) + " χαρακτήρες.";
    case BetFileFit::NulInCell: return "ένα κελί του έχει μη έγκυρο χαρακτήρα.";
    case BetFileFit::TooLarge:
        return "το αρχείο θα ξεπερνούσε τα " + std::to_string(kBetFileMaxBytes / (std::int64_t{1024} * 1024)) + " MB.";
    }
    return {};
}

// A coupon that would not open again is refused before a name is asked, and stays on screen.
void saveBetFile(BetContext& context)
{
    const std::string reason = unfitReason(BetFileFitOf(context.coupon));
    if (!reason.empty()) {
        context.ui.ShowNotice(NoticeKind::Warning,
                              Utf8ToCp1253("Το κουπόνι δεν αποθηκεύτηκε: " + reason + " Παραμένει στην οθόνη."));
        return;
    }
    std::string name;
    if (context.ui.ChooseFileName(betFilter(), "bet", std::string(), FileChooserMode::Save, name)) {
        RemoveStaleScratchFilesBeside(name, context.now);
        ReplaceFileOrThrow(name, BetFileText(context.coupon));
    }
}

bool systemToColumns(BetContext& context)
{
    if (context.calculatorShown) {
        return false;
    }
    const SystemCheckResult result = CheckSystem(context.coupon, context.cellTable, context.systemColumnLimit);
    if (result.verdict != SystemVerdict::Accepted) {
        context.ui.ShowNotice(NoticeKind::Warning, SystemWarning(result));
        return false;
    }
    return true;
}

} // namespace

std::string BetPageAddress()
{
    const char* value = std::getenv("KARVO_BET_URL");
    return value != nullptr && *value != '\0' ? value : "https://www.pamestoixima.gr/el/stoixima-sto-praktoreio";
}

bool ImportCoupon(BetContext& context)
{
    if (++context.state.CouponImportCount == 1) {
        context.ui.ShellOpen(context.betPage);
    }
    std::vector<std::string> fields(1);
    std::vector<std::string> labels{"Copy coupon and paste here"};
    std::vector<int> lines{10};
    if (!context.ui.MemoBox(Utf8ToCp1253("Αντιγραφή αγώνων από το κουπόνι και επικόλληση εδώ"), fields, labels, lines,
                            0)) {
        return false;
    }
    int start = 0;
    if (context.state.CouponImportCount > 1
        && context.ui.MessageChoice("Info", Utf8ToCp1253("Να προστεθούν στους υπάρχοντες αγώνες ?"),
                                    MessageType::Information, MessageAnswer::Yes, MessageButtons::YesNo)
            == MessageAnswer::Yes) {
        start = context.coupon.rowCount() - 1;
    }
    PasteCoupon(context.coupon, fields[0], start);
    return true;
}

BetOutcome RunBetCommand(Command command, BetContext& context)
{
    switch (command) {
    case Command::ImportCoupon:
        context.ui.StatusNotice(WaitNoticeText());
        ImportCoupon(context);
        RecalcCoupon(context.coupon);
        context.ui.StatusNotice(std::string());
        return BetOutcome::CouponChanged;
    case Command::ExportCoupon:
        ExportGridToSpreadsheet(context.coupon, 1, "BET", context.folder, context.ui);
        return BetOutcome::Nothing;
    case Command::AddMatch: return addMatch(context) ? BetOutcome::CouponChanged : BetOutcome::Nothing;
    case Command::OpenBetFile: return openBetFile(context) ? BetOutcome::CouponChanged : BetOutcome::Nothing;
    case Command::SaveBetFile: saveBetFile(context); return BetOutcome::Nothing;
    case Command::SystemToColumns: return systemToColumns(context) ? BetOutcome::ShowCalculator : BetOutcome::Nothing;
    default: return BetOutcome::Nothing;
    }
}

} // namespace karvo
