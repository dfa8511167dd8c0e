# Tarvex conversion form
# Textes en français ; noms, types et positions des cases comme dans Tarvex_form.frm

[General]
Window Title=Tarvex - Conversion du circuit
FontName=arial.ttf
FontSize=13
TickSize=13
Active=1
Version=4400

[Input-boxes]
# The input: a Condor flight plan or a SeeYou task
{Name=Infile;Txt=Plan de vol ou circuit SeeYou;Pos=230,364;TxPos=LA;Size=46;Type=IFP;Ext="*.fpl;*.cup"}
# The target software: one of three
{Name=XCS;Txt=XCSoar;Pos=230,322;Type=TCK}
{Name=LK8;Txt=LK8000;Pos=330,322;Type=TCK}
{Name=CU;Txt=SeeYou;Pos=430,322;Type=TCK}
# The task's rules; heights in metres, speeds in km/h unless the units are imperial
{Name=AAT;Txt=Circuit AAT;Pos=230,280;TxPos=LA;Type=TCK}
{Name=AAT Time;Txt=Temps AAT (min);Pos=540,280;TxPos=LA;Size=7;Type=FLT}
{Name=StrtMgn;Txt=Marge de hauteur au départ (m);Pos=230,254;TxPos=LA;Size=7;Type=INT}
{Name=FinishMinAlt;Txt=Altitude minimale à l'arrivée (m);Pos=540,254;TxPos=LA;Size=7;Type=FLT}
{Name=start_max_speed;Txt=Vitesse maximale au départ (km/h);Pos=230,228;TxPos=LA;Size=7;Type=INT}
# The files written
{Name=Dest;Txt=Fichier du circuit;Pos=230,186;TxPos=LA;Size=46;Type=OFP;Ext=*.tsk}
{Name=Profile file;Txt=Profil;Pos=230,160;TxPos=LA;Size=46;Type=OFP;Ext=*.prf}
{Name=MapName;Txt=Carte;Pos=230,134;TxPos=LA;Size=46;Type=OFP;Ext=*.xcm}
{Name=TerrainName;Txt=Relief (LK8000);Pos=230,108;TxPos=LA;Size=46;Type=OFP;Ext=*.dem}
{Name=airnam;Txt=Fichier des espaces aériens;Pos=230,82;TxPos=LA;Size=46;Type=OFP;Ext=*.txt}
{Name=AltCup;Txt=Points de virage alternatifs;Pos=230,56;TxPos=LA;Type=TCK}
{Name=AltCupFile;Txt=;Pos=252,56;Size=43;Type=IFP;Ext=*.cup;Dep=AltCup}

[Radio-buttons]
{Set=XCS,LK8,CU}

[Separators]
{Separ=10,348,612,348}
{Separ=10,306,612,306}
{Separ=10,212,612,212}
{Separ=10,40,612,40}

[Text]
{Title=Tarvex;Pos=C50%,-8}
{Title=Logiciel de vol;Pos=R222,324}

[Buttons]
{Txt=Convertir;Pos=20,12;Size=100;Type=OK}
{Txt=Enregistrer;Pos=130,12;Size=100;Type=102}
{Txt=Appliquer et enregistrer;Pos=240,12;Size=140;Type=104}
{Txt=Configuration...;Pos=390,12;Size=100;Type=-100}
{Txt=Annuler;Pos=500,12;Size=100;Type=CANCEL}
