// Which operation each event of the main window runs.

#include "app/orvel.h"

#include <string>

void TOrvelform::wireEvents()
{
    onActivate = [this] { FormCreate(); };
    onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };

    SpeedButton3.onClick = [this] { SpeedButton3Click(); };
    SpeedButton4.onClick = [this] { SpeedButton4Click(); };
    SpeedButton5.onClick = [this] { SpeedButton5Click(); };
    SpeedButton6.onClick = [this] { SpeedButton6Click(); };
    SpeedButton7.onClick = [this] { SpeedButton7Click(); };
    SpeedButton8.onClick = [this] { SpeedButton8Click(); };
    SpeedButton9.onClick = [this] { SpeedButton9Click(); };
    SpeedButton10.onClick = [this] { SpeedButton10Click(); };
    SpeedButton15.onClick = [this] { SpeedButton15Click(); };
    owari.onClick = [this] { owariClick(); };
    SpeedButton14.onClick = [this] { SpeedButton14Click(); };
    SpeedButton13.onClick = [this] { SpeedButton13Click(); };
    SpeedButton12.onClick = [this] { SpeedButton12Click(); };
    SpeedButton2.onClick = [this] { SpeedButton2Click(); };

    Memo4.onClick = [this] { memo4Click(); };
    Memo7.onClick = [this] { memo7Click(); };
    Memo8.onClick = [this] { memo8Click(); };
    Memo9.onClick = [this] { memo9Click(); };
    Memo10.onClick = [this] { memo10Click(); };
    Memo4.onMouseMove = [this](int x, int y) { memo4MouseMove(x, y); };
    Memo7.onMouseMove = [this](int x, int y) { memo7MouseMove(x, y); };
    Memo8.onMouseMove = [this](int x, int y) { memo8MouseMove(x, y); };
    Memo9.onMouseMove = [this](int x, int y) { memo9MouseMove(x, y); };
    Memo10.onMouseMove = [this](int x, int y) { memo10MouseMove(x, y); };

    for (int k = 1; k <= 5; ++k)
        addShortcut("F" + std::to_string(k), [this, k] { answerByKey(k); });

    FileListBox1.onClick = [this] { FileListBox1Click(); };
    FileListBox1.onMouseMove = [this](int x, int y) { FileListBox1MouseMove(x, y); };
    SpeedButton11.onClick = [this] { SpeedButton11Click(); };
    FileEdit.onKeyPress = [this](char& key) { FileEditKeyPress(key); };

    Chushi.onClick = [this] { ChushiClick(); };
    Otsukare.onClick = [this] { OtsukareClick(); };
    Kesu.onClick = [this] { KesuClick(); };
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
    Button6.onClick = [this] { Button6Click(); };
    BitBtn3.onClick = [this] { BitBtn3Click(); };
    BitBtn9.onClick = [this] { BitBtn9Click(); };
    menushow.onClick = [this] { menushowClick(); };
    menunotshow.onClick = [this] { menunotshowClick(); };
    Kotaekieru.onClick = [this] { KotaekieruClick(); };
    Timer1.onTimer = [this] { Timer1Timer(); };
    Timer4.onTimer = [this] { Timer4Timer(); };
}
