#pragma once

#include <QValidator>

namespace zolt {

// Keeps out of a field the characters the payment file cannot carry (those
// without a Windows-1252 form), so that what is typed can always be saved.
class Windows1252Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

}  // namespace zolt
