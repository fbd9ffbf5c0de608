#include "core/stylelist/tag_catalog.h"

namespace tags {
namespace {

QStringList withNone(const char *items)
{
    QStringList list{QStringLiteral("[none]")};
    list += QString::fromLatin1(items).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return list;
}

} // namespace

const QList<Page> &pages()
{
    static const QList<Page> all = {
        {"ListTagHTML", QStringLiteral("Все"),
         withNone("A ABBR ACRONYM ADDRESS APPLET AREA B BASE BASEFONT BDO BIG BLOCKQUOTE BODY BR BUTTON CAPTION "
                  "CENTER CITE CODE COL COLGROUP DD DEL DFN DIR DIV DL DT EM FIELDSET FONT FORM FRAME FRAMESET H1 H2 "
                  "H3 H4 H5 H6 HEAD HR HTML I IFRAME IMG INPUT INS ISINDEX KBD LABEL LEGEND LI LINK MAP MENU META "
                  "NOFRAMES NOSCRIPT OBJECT OL OPTGROUP OPTION P PARAM PRE Q S SAMP SCRIPT SELECT SMALL SPAN STRIKE "
                  "STRONG STYLE SUB SUP TABLE TBODY TD TEXTAREA TFOOT TH THEAD TITLE TR TT U UL VAR")},
        {"ListBox1", QStringLiteral("Текст"),
         withNone("BODY P A H1 H2 H3 H4 H5 H6 BR HR LI OL UL CENTER B I U Q S STRIKE STRONG SUB SUP BIG SMALL "
                  "ADDRESS BLOCKQUOTE CITE CODE SAMP")},
        {"ListBox2", QStringLiteral("Таблица"), withNone("TABLE TBODY TD TR THEAD TFOOT CAPTION COL COLGROUP TH DD")},
        {"ListBox3", QStringLiteral("Объект"),
         withNone("IMG MAP MENU OBJECT APPLET AREA BUTTON FIELDSET FORM INPUT ISINDEX LABEL LEGEND LINK OPTGROUP "
                  "OPTION VAR")},
        {"ListBox4", QStringLiteral("Блок"),
         withNone("DIV SPAN FRAME FRAMESET IFRAME NOFRAMES IMG MAP AREA TEXTAREA CITE CODE DD DEL DFN DIR DL DT SAMP "
                  "STYLE TITLE HTML META")},
        {"ListBox5", QStringLiteral("Специальное"),
         withNone("ABBR ACRONYM ADDRESS BDO DD DEL DFN DIR DL DT EM HEAD HTML INS ISINDEX KBD LABEL LEGEND LINK "
                  "NOSCRIPT PARAM PRE SCRIPT SELECT STYLE TITLE TT VAR")},
    };
    return all;
}

const QStringList &tagSource()
{
    static const QStringList lines = {
        QStringLiteral("[none]=селектор не выбран, выбирайте для \"чистых\" классов или ID"),
        QStringLiteral("A=якорь (гиперссылка), лучше описывать с псевдоклассами"),
        QStringLiteral("ABBR=сокращение"),
        QStringLiteral("ACRONYM=аббревиатура"),
        QStringLiteral("ADDRESS=контактные данные автора"),
        QStringLiteral("APPLET=встроенный Java-апплет"),
        QStringLiteral("AREA=активная область карты-изображения"),
        QStringLiteral("B=полужирный шрифт"),
        QStringLiteral("BASE=базовый адрес документа"),
        QStringLiteral("BASEFONT=базовый размер шрифта"),
        QStringLiteral("BDO=I18N BiDi over-ride"),
        QStringLiteral("BIG=крупный шрифт"),
        QStringLiteral("BLOCKQUOTE=длинная цитата"),
        QStringLiteral("BODY=тело документа"),
        QStringLiteral("BR=принудительный перевод строки"),
        QStringLiteral("BUTTON=кнопка"),
        QStringLiteral("CAPTION=заголовок таблицы"),
        QStringLiteral("CENTER=сокращение для DIV align=center"),
        QStringLiteral("CITE=цитата или ссылка на источник"),
        QStringLiteral("CODE=фрагмент программного кода"),
        QStringLiteral("COL=столбец таблицы"),
        QStringLiteral("COLGROUP=группа столбцов таблицы"),
        QStringLiteral("DD=описание термина в списке определений"),
        QStringLiteral("DEL=удаленный текст"),
        QStringLiteral("DFN=определяемый термин"),
        QStringLiteral("DIR=список каталога"),
        QStringLiteral("DIV=общий контейнер языка/стиля"),
        QStringLiteral("DL=список определений"),
        QStringLiteral("DT=термин в списке определений"),
        QStringLiteral("EM=выделение (курсив)"),
        QStringLiteral("FIELDSET=группа полей формы"),
        QStringLiteral("FONT=локальное изменение шрифта"),
        QStringLiteral("FORM=интерактивная форма"),
        QStringLiteral("FRAME=подокно (фрейм)"),
        QStringLiteral("FRAMESET=разбиение окна на фреймы"),
        QStringLiteral("H1=заголовок1"),
        QStringLiteral("H2=заголовок2"),
        QStringLiteral("H3=заголовок3"),
        QStringLiteral("H4=заголовок4"),
        QStringLiteral("H5=заголовок5"),
        QStringLiteral("H6=заголовок6"),
        QStringLiteral("HEAD=заголовочная часть документа"),
        QStringLiteral("HR=горизонтальная линия"),
        QStringLiteral("HTML=корневой элемент документа"),
        QStringLiteral("I=курсивный шрифт"),
        QStringLiteral("IFRAME=встроенный фрейм"),
        QStringLiteral("IMG=встроенное изображение"),
        QStringLiteral("INPUT=элемент управления формы"),
        QStringLiteral("INS=вставленный текст"),
        QStringLiteral("ISINDEX=однострочное поле поиска"),
        QStringLiteral("KBD=текст, вводимый с клавиатуры"),
        QStringLiteral("LABEL=подпись к полю формы"),
        QStringLiteral("LEGEND=заголовок группы полей"),
        QStringLiteral("LI=элемент списка"),
        QStringLiteral("LINK=связь с внешним документом"),
        QStringLiteral("MAP=карта-изображение"),
        QStringLiteral("MENU=список меню"),
        QStringLiteral("META=метаинформация документа"),
        QStringLiteral("NOFRAMES=альтерн. контейнер для представления без фреймов"),
        QStringLiteral("NOSCRIPT=альтерн. содержимое при отключенных сценариях"),
        QStringLiteral("OBJECT=встроенный объект"),
        QStringLiteral("OL=нумерованный список"),
        QStringLiteral("OPTGROUP=группа пунктов выбора"),
        QStringLiteral("OPTION=пункт выбора"),
        QStringLiteral("P=абзац"),
        QStringLiteral("PARAM=параметр объекта"),
        QStringLiteral("PRE=предварительно отформатированный текст"),
        QStringLiteral("Q=короткая цитата"),
        QStringLiteral("S=зачеркнутый текст"),
        QStringLiteral("SAMP=пример вывода программы"),
        QStringLiteral("SCRIPT=сценарий"),
        QStringLiteral("SELECT=выпадающий список выбора"),
        QStringLiteral("SMALL=мелкий шрифт"),
        QStringLiteral("SPAN=общий контейнер языка/стиля"),
        QStringLiteral("STRIKE=зачеркнутый текст"),
        QStringLiteral("STRONG=сильное выделение (полужирный)"),
        QStringLiteral("STYLE=инфомрация о стиле"),
        QStringLiteral("SUB=нижний индекс"),
        QStringLiteral("SUP=верхний индекс"),
        QStringLiteral("TABLE=таблица"),
        QStringLiteral("TBODY=тело таблицы"),
        QStringLiteral("TD=ячейка таблицы"),
        QStringLiteral("TEXTAREA=многострочное поле ввода"),
        QStringLiteral("TFOOT=нижняя часть таблицы"),
        QStringLiteral("TH=ячейка заголовка таблицы"),
        QStringLiteral("THEAD=шапка таблицы"),
        QStringLiteral("TITLE=название документа"),
        QStringLiteral("TR=строка таблицы"),
        QStringLiteral("TT=шрифт пишущей машинки (моноширинный)"),
        QStringLiteral("U=подчеркнутый текст"),
        QStringLiteral("UL=маркированный список"),
        QStringLiteral("VAR=экземпляр переменной или аргумента программы"),
    };
    return lines;
}

QString describe(const QStringList &source, const QString &name)
{
    const QString key = name + QLatin1Char('=');
    for (const QString &line : source) {
        if (line.startsWith(key))
            return line.mid(key.size());
    }
    return QStringLiteral("Нет справки");
}

} // namespace tags
