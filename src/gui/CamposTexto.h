#pragma once

#include <QString>

class QKeyEvent;
class QLineEdit;

// What the study's text fields share: which keys type a character, and how
// long their texts may grow by typing.

// A key that types a character, as the fields see it: text, Backspace,
// Enter and Escape; not Tab, Delete or Ctrl combinations (editing commands).
bool EsCaracter(const QKeyEvent *tecla);

// A line edit cuts its text at 32767 characters unless told otherwise; the
// texts of a study have no length limit of their own.
void QuitaLargoMaximo(QLineEdit *campo);

// A field's limit binds typing only: a longer text loaded from a file stays
// whole, typing cannot make it longer, deleting makes room down to the limit.
void PonLimiteDeTecleo(QLineEdit *campo, int limite);

// Texts loaded from a file are taken whole: the typing limit is not asked,
// so the field keeps counting the text as valid input.
void PonTextoEntero(QLineEdit *campo, const QString &texto);
