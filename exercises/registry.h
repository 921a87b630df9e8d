#pragma once

class QWidget;
class TrainerWindow;

// The window of exercise number (1 to 14), new and unshown; nullptr for an
// exercise that has no window yet.
TrainerWindow *createTrainer(int number, QWidget *parent);
