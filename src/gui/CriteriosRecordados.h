#pragma once

#include <QString>

// The acceptance criteria of the precision window as the user last typed
// them, kept between sessions in the user's settings: they belong to the
// lab's protocol, not to one study, and the study file has no room for them.
struct TextosCriterios
{
    QString limite;     // δ, "0.5" or "1.5 %"; empty for none
    QString derMaxima;  // per cent; empty for none
    bool bonferroni = false;
};

TextosCriterios CriteriosRecordados();
void RecuerdaCriterios(const TextosCriterios &textos);
