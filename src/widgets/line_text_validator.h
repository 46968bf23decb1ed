#pragma once

#include <QValidator>

namespace zolt {

// Keeps a field to what one line of the exchange files can carry, so that
// what is typed or pasted can always be saved: a line break (a legal
// description pasted in two lines) or another control character becomes a
// blank, and a character without a Windows-1252 form is refused.
class LineTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

}  // namespace zolt
