// The two modes of the menu panel, the background pictures and the exit.

#include "app/orvel.h"

#include "app/look.h"
#include "app/texts.h"
#include "toolkit/boxes.h"

#include <string>

void TOrvelform::menushowClick()
{
    Label8.setText("Menu");
    for (toolkit::SpeedButton* category : categoryButtons())
        category->setEnabled(true);
    Chushi.hide();
    owari.show();
    // The counters keep their texts for the next run to overwrite.
    for (toolkit::Label* counter : {&seikai, &gotou, &Nokori, &Label10})
        counter->hide();
}

void TOrvelform::menunotshowClick()
{
    Label8.setText("Challenge!");
    for (toolkit::SpeedButton* category : categoryButtons())
        category->setEnabled(false);
    Chushi.show();
    owari.hide();
    for (toolkit::Label* counter : {&seikai, &gotou, &Nokori, &Label10})
        counter->show();
    seikai.setText(texts::kCorrectPrefix + std::to_string(CorrectCount));
    gotou.setText(texts::kMissedPrefix + std::to_string(MissNext - 1));
}

void TOrvelform::showBackground(const char* file)
{
    // A replay paints the window yellow; a new background ends that first,
    // even when the picture then fails to load.
    setColor(look::kWindowColor);
    Image1.loadFromFile(ExeDir + "image/" + file);
}

void TOrvelform::SpeedButton14Click()
{
    showBackground("violet.jpg");
}

void TOrvelform::SpeedButton13Click()
{
    showBackground("Water1.jpg");
}

void TOrvelform::SpeedButton12Click()
{
    showBackground("Sea1.jpg");
}

void TOrvelform::SpeedButton2Click()
{
    showBackground("Sunset.jpg");
}

void TOrvelform::owariClick()
{
    if (toolkit::askConfirmation("「ぴよらん」を終了しますか？", toolkit::BoxButtons::YesNoCancel)
        != toolkit::mrYes)
        return;
    toolkit::showMessage("「継続は力なり」です。毎日の努力を大切に！ ");
    close();
}
