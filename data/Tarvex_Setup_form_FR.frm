# Tarvex setup form
# Textes en français ; noms, types et positions des cases comme dans Tarvex_Setup_form.frm

[General]
Window Title=Tarvex - Configuration
FontName=arial.ttf
FontSize=13
TickSize=13
Active=1
Version=4400

[Input-boxes]
# Where the converted tasks go, where the flight plans are, the script run after a conversion
{Name=Xcsoar_tasks;Txt=Dossier des circuits XCSoar;Pos=230,400;TxPos=LA;Size=46;Type=FLD}
{Name=LK8000_tasks;Txt=Dossier des circuits LK8000;Pos=230,374;TxPos=LA;Size=46;Type=FLD}
{Name=SeeYou_tasks;Txt=Dossier des circuits SeeYou;Pos=230,348;TxPos=LA;Size=46;Type=FLD}
{Name=defpath;Txt=Dossier ou fichier des plans de vol;Pos=230,322;TxPos=LA;Size=46;Type=FLD}
{Name=FplFil;Txt=Le chemin des plans de vol est un fichier;Pos=230,298;Type=TCK}
{Name=scrnam;Txt=Script lancé après la conversion;Pos=230,272;TxPos=LA;Size=46;Type=IFP}
# Switches
{Name=WrPrf;Txt=Écrire le profil;Pos=20,226;Type=TCK}
{Name=WrDef;Txt=Écrire les fichiers par défaut;Pos=20,202;Type=TCK}
{Name=WrDefLK8000;Txt=LK8000 : fichiers au nom du circuit;Pos=20,178;Type=TCK}
{Name=AATDet;Txt=Deviner l'AAT d'après les cylindres;Pos=20,154;Type=TCK}
{Name=qtskwrn;Txt=Afficher le résumé du circuit;Pos=20,130;Type=TCK}
{Name=MapFld;Txt=Cartes XCSoar dans un dossier Maps;Pos=330,226;Type=TCK}
{Name=PolFld;Txt=Polaires XCSoar dans un dossier Polars;Pos=330,202;Type=TCK}
{Name=qverb_0;Txt=Console détaillée;Pos=330,178;Type=TCK}
{Name=qsilent;Txt=Pas de messages de résultat;Pos=330,154;Type=TCK}
# Lists: their entries are the values 1, 2, 3
{Name=nauto;Txt=Plan de vol,Le demander,Prendre le fichier des plans,Attendre le plan de Condor;Pos=230,88;TxPos=LA;Size=30;Type=DDL}
{Name=Units;Txt=Unités,Comme dans Condor,Métriques,Impériales;Pos=230,62;TxPos=LA;Size=20;Type=DDL}
{Name=Lang;Txt=Langue,Automatique,Anglais,Français;Pos=486,62;TxPos=LA;Size=14;Type=DDL}

[Separators]
{Separ=10,252,612,252}
{Separ=10,112,612,112}
{Separ=10,40,612,40}

[Text]
{Title=Configuration de Tarvex;Pos=C50%,-8}

[Buttons]
{Txt=OK;Pos=20,12;Size=108;Type=OK}
{Txt=Enregistrer;Pos=138,12;Size=108;Type=102}
{Txt=Appliquer et enregistrer;Pos=256,12;Size=140;Type=104}
{Txt=Annuler;Pos=492,12;Size=108;Type=CANCEL}
