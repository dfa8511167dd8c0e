# Tarvex setup form
# English texts; box names, types and positions as in Tarvex_Setup_form_FR.frm

[General]
Window Title=Tarvex - Setup
FontName=arial.ttf
FontSize=13
TickSize=13
Active=1
Version=4400

[Input-boxes]
# Where the converted tasks go, where the flight plans are, the script run after a conversion
{Name=Xcsoar_tasks;Txt=XCSoar task folder;Pos=230,400;TxPos=LA;Size=46;Type=FLD}
{Name=LK8000_tasks;Txt=LK8000 task folder;Pos=230,374;TxPos=LA;Size=46;Type=FLD}
{Name=SeeYou_tasks;Txt=SeeYou task folder;Pos=230,348;TxPos=LA;Size=46;Type=FLD}
{Name=defpath;Txt=Flight plans folder or file;Pos=230,322;TxPos=LA;Size=46;Type=FLD}
{Name=FplFil;Txt=The flight plans path names a file;Pos=230,298;Type=TCK}
{Name=scrnam;Txt=Script run after a conversion;Pos=230,272;TxPos=LA;Size=46;Type=IFP}
# Switches
{Name=WrPrf;Txt=Write the profile;Pos=20,226;Type=TCK}
{Name=WrDef;Txt=Write default task files;Pos=20,202;Type=TCK}
{Name=WrDefLK8000;Txt=LK8000: files named after the task;Pos=20,178;Type=TCK}
{Name=AATDet;Txt=Guess AAT from the cylinders;Pos=20,154;Type=TCK}
{Name=qtskwrn;Txt=Show the task summary;Pos=20,130;Type=TCK}
{Name=MapFld;Txt=XCSoar maps in a Maps folder;Pos=330,226;Type=TCK}
{Name=PolFld;Txt=XCSoar polars in a Polars folder;Pos=330,202;Type=TCK}
{Name=qverb_0;Txt=Verbose console output;Pos=330,178;Type=TCK}
{Name=qsilent;Txt=No result messages;Pos=330,154;Type=TCK}
# Lists: their entries are the values 1, 2, 3
{Name=nauto;Txt=Flight plan,Ask for it,Take the flight plans file,Wait for Condor's new plan;Pos=230,88;TxPos=LA;Size=30;Type=DDL}
{Name=Units;Txt=Units,As in Condor,Metric,Imperial;Pos=230,62;TxPos=LA;Size=20;Type=DDL}
{Name=Lang;Txt=Language,Automatic,English,French;Pos=486,62;TxPos=LA;Size=14;Type=DDL}

[Separators]
{Separ=10,252,612,252}
{Separ=10,112,612,112}
{Separ=10,40,612,40}

[Text]
{Title=Tarvex setup;Pos=C50%,-8}

[Buttons]
{Txt=OK;Pos=20,12;Size=108;Type=OK}
{Txt=Save settings;Pos=138,12;Size=108;Type=102}
{Txt=Apply and save;Pos=256,12;Size=108;Type=104}
{Txt=Cancel;Pos=492,12;Size=108;Type=CANCEL}
