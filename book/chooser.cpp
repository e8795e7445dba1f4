// Choosing a book: the category buttons, the file list under the pointer,
// its close button, and Enter in FileEdit.

#include "app/orvel.h"

void TOrvelform::showCategory(const char* folder, toolkit::Color listColor)
{
    FileListBox1.setFileName(ExeDir + folder);
    FileListBox1.setColor(listColor);
    offerBookList();
}

void TOrvelform::offerBookList()
{
    Kesu.click();
    FileListBox1.show();
    SpeedButton11.show();
    Panel1.show();
}

void TOrvelform::closeBookList()
{
    FileListBox1.hide();
    SpeedButton11.hide();
    Panel1.hide();
}

void TOrvelform::SpeedButton3Click() { showCategory("001", 0xC1E3C5); }
void TOrvelform::SpeedButton4Click() { showCategory("002", 0xE7C2BE); }
void TOrvelform::SpeedButton5Click() { showCategory("003", 0xDEC5E0); }
void TOrvelform::SpeedButton6Click() { showCategory("004", 0xB0F4E1); }
void TOrvelform::SpeedButton7Click() { showCategory("005", 0xFDE6A8); }
void TOrvelform::SpeedButton8Click() { showCategory("006", 0xCDDBE7); }
void TOrvelform::SpeedButton9Click() { showCategory("007", 0xE6FEE0); }
void TOrvelform::SpeedButton10Click() { showCategory("008", 0xE8C7ED); }
void TOrvelform::SpeedButton15Click() { showCategory("009", 0xE9FEED); }

void TOrvelform::FileListBox1MouseMove(int x, int y)
{
    // Hovering selects; only a click opens.
    FileListBox1.setItemIndex(FileListBox1.itemAtPos(x, y));
}

void TOrvelform::SpeedButton11Click()
{
    closeBookList();
}

void TOrvelform::FileEditKeyPress(char& key)
{
    if (key != 13)
        return;
    FileListBox1.setFileName(FileEdit.text());
    key = 0;
}
