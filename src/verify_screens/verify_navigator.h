#pragma once

namespace zolt::verify_screens {

// Opens the verification task's screens, each one modal (see
// PaymentNavigator for how they run).
class VerifyNavigator {
public:
    virtual ~VerifyNavigator() = default;

    // The folios of the loaded workbook (rsVerify). Answers false when the
    // user closed it asking that nothing be saved.
    virtual bool showVerifyNumbers() = 0;
    // A new folio; the current folio's mortgage number changed, or the
    // folio removed for good; the folios searched.
    virtual void showVerifyNumberAdd() = 0;
    virtual void showVerifyNumberChange() = 0;
    virtual void showVerifyNumberDelete() = 0;
    virtual void showVerifyNumbersSearch() = 0;
    // The information dialog over gInfoKind, gInfoTitle and gInfoText.
    virtual void showInformationDialog() = 0;
    // How to return the verification workbook just written.
    virtual void showReturnInstructions2() = 0;
};

}  // namespace zolt::verify_screens
