#pragma once

namespace zolt::payment {
struct DuplicateFolioStore;
}

namespace zolt::payment_screens {

// Opens the payment task's screens, each one modal: built, loaded (its
// Form_Load, where its data work is done) and run until the user closes it.
// The program's navigator shows them over the main window; tests give the
// task one that runs a screen without a modal loop, acting on it as the
// user would.
class PaymentNavigator {
public:
    virtual ~PaymentNavigator() = default;

    // The duplicate payments a payment load refused.
    virtual void showDuplicateFolios(const payment::DuplicateFolioStore &duplicates) = 0;
    // The agencies of the loaded payment file (rsGroup).
    virtual void showGroup() = 0;
    // The current agency's information editor.
    virtual void showGroupAgency() = 0;
    // The current agency's payments (rsDetail, filtered to the agency).
    virtual void showDetail() = 0;
    // A new payment of the current agency; the current payment changed or
    // deleted; the agency's payments searched.
    virtual void showDetailAdd() = 0;
    virtual void showDetailChange() = 0;
    virtual void showDetailDelete() = 0;
    virtual void showDetailSearch() = 0;
    // gInfoTitle and gInfoText, as set, in the information dialog.
    virtual void showInformationDialog() = 0;
    // The total and the ways to return the payment file just saved.
    virtual void showReturnInstructions() = 0;
};

}  // namespace zolt::payment_screens
