#pragma once

#include "stats/Estudio.h"

#include <QWidget>

// The study document window: general information, the two counts and the
// data grid. Its components are the study.
class TFinforma : public QWidget
{
    Q_OBJECT

public:
    explicit TFinforma(QWidget *parent = nullptr);
    ~TFinforma() override;

    // The study as the components hold it at this moment.
    Estudio estudio() const;
};

// The current study document window; nullptr when none is open.
extern TFinforma *Finforma;
