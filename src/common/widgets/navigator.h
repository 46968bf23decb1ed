#pragma once

namespace zolt {

// Opens the screens of the tasks, each one modal: built, loaded (its
// Form_Load, where its data work is done) and run until the user closes
// it. The program's navigator shows them over the main window; tests give
// the tasks one that runs a screen without a modal loop, acting on it as
// the user would.
class Navigator {
public:
    virtual ~Navigator() = default;

    // The duplicate payments a payment load refused.
    virtual void showDuplicateFolios() = 0;
    // How to return the verification workbook just written.
    virtual void showReturnInstructions2() = 0;
    virtual void showAbout() = 0;
};

}  // namespace zolt
