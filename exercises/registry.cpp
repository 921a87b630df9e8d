#include "exercises/registry.h"

#include "exercises/01_colour/frmtrainer1.h"
#include "exercises/02_numbers/frmtrainer2.h"
#include "exercises/03_lamps/frmtrainer3.h"
#include "exercises/04_ladder/frmtrainer4.h"
#include "exercises/05_bigger/frmtrainer5.h"
#include "run/trainerwindow.h"

// One line per exercise window.

TrainerWindow *createTrainer(int number, QWidget *parent)
{
    switch (number) {
    case 1:
        return new frmTrainer1(parent);
    case 2:
        return new frmTrainer2(parent);
    case 3:
        return new frmTrainer3(parent);
    case 4:
        return new frmTrainer4(parent);
    case 5:
        return new frmTrainer5(parent);
    default:
        Q_UNUSED(parent);
        return nullptr;
    }
}
