#pragma once

namespace zolt::verify_screens {

// Opens the verification task's screens, each one modal (see
// PaymentNavigator for how they run).
class VerifyNavigator {
public:
    virtual ~VerifyNavigator() = default;

    // How to return the verification workbook just written.
    virtual void showReturnInstructions2() = 0;
};

}  // namespace zolt::verify_screens
