#include "code_combos.h"

#include "store/recordset.h"
#include "widgets/line_text_validator.h"
#include "widgets/screen_controls.h"

#include <QComboBox>
#include <QLineEdit>

namespace zolt::verify_screens {

QComboBox *MakeCodeCombo(const char *name, QWidget *parent)
{
    auto *combo = Named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // What is typed stays as typed: completing "1" to the first entry
    // starting with it ("10 ...") would choose a district nobody meant.
    combo->setCompleter(nullptr);
    combo->lineEdit()->setValidator(new LineTextValidator(combo));
    return combo;
}

QString CodeEntry(const QString &code, const QString &name)
{
    return code + u' ' + name;
}

void FillCodes(QComboBox *combo, Recordset &codes, const QString &codeField, const QString &nameField)
{
    combo->clear();
    codes.ensureOpen();
    if (codes.recordCount() > 0) {
        const int code = codes.columnIndex(codeField), name = codes.columnIndex(nameField);
        for (qint64 row = 0; row < codes.recordCount(); ++row)
            combo->addItem(CodeEntry(codes.value(row, code).toString(), codes.value(row, name).toString()));
        codes.moveFirst();
    }
    combo->setEditText(QString());
}

}  // namespace zolt::verify_screens
