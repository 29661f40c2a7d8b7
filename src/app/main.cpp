// Karvo: results history, market figures and betting coupon for the Greek lottery games.
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "util/Files.h"
#include "util/Numbers.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    karvo::SetUserNumberFormat(karvo::NumberFormat::fromLocale(QLocale::system()));
    // The program works in the folder it is started in.
    karvo::TForm1 form1(karvo::CurrentFolder(), [] { return QDate::currentDate(); });
    karvo::TForm2 form2;
    form1.setCalculator(&form2);
    form1.show();
    return app.exec();
}
