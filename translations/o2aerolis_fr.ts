<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="de">
<context>
    <name>Kommunikation::Link</name>
    <message>
        <source>Schliesse Verbindung....</source>
        <translation>Fermeture de la connexion....</translation>
    </message>
    <message>
        <source>Baue Netzwerkverbindung auf......</source>
        <translation>Établissement de la connexion réseau......</translation>
    </message>
    <message>
        <source>Serielle Verbindung auf :</source>
        <translation>Connexion série sur :</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der seriellen Schnittstelle !<byte value="xd"/>Bitte überprüfen!!</source>
        <translation>Erreur à l&apos;ouverture du port série !<byte value="xd"/>Veuillez vérifier !!</translation>
    </message>
    <message>
        <source>Keine Verbindung<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>Pas de connexion<byte value="xd"/>Veuillez vérifier le câble et la configuration du PC !</translation>
    </message>
    <message>
        <source>Netzwerkverbindung zu :</source>
        <translation>Connexion réseau vers :</translation>
    </message>
    <message>
        <source>Netzwerkverbindung ist inaktiv !</source>
        <translation>La connexion réseau est inactive !</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der Netzerkverbindung!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>Erreur à l&apos;ouverture de la connexion réseau !<byte value="xd"/>Veuillez vérifier le câble et la configuration du PC !</translation>
    </message>
    <message>
        <source>Asynchroner Socket-Fehler %d</source>
        <translation>Erreur de socket asynchrone %d</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Français</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>Deutsch</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Informationen</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Warnung</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Bestätigung</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;Non</translation>
    </message>
</context>
<context>
    <name>TFAbout</name>
    <message>
        <source>Info</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFMain</name>
    <message>
        <source>Ende</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;PC-Setup</source>
        <translation>&amp;Configuration PC</translation>
    </message>
    <message>
        <source>Programm &amp;Setup</source>
        <translation>&amp;Configuration du programme</translation>
    </message>
    <message>
        <source>Speicher&amp;zeit</source>
        <translation>&amp;Heure de lecture</translation>
    </message>
    <message>
        <source>&amp;Firmendaten</source>
        <translation>Données de l&apos;&amp;entreprise</translation>
    </message>
    <message>
        <source>&amp;Messung</source>
        <translation>&amp;Mesure</translation>
    </message>
    <message>
        <source>PC &amp;Anzeige</source>
        <translation>&amp;Affichage PC</translation>
    </message>
    <message>
        <source>Anlagen einlernen</source>
        <translation>Apprentissage des installations</translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation>Lecture des données &amp;hors ligne</translation>
    </message>
    <message>
        <source>&amp;Daten</source>
        <translation>&amp;Données</translation>
    </message>
    <message>
        <source>Mess&amp;werte drucken</source>
        <translation>Imprimer les &amp;valeurs mesurées</translation>
    </message>
    <message>
        <source>&amp;Protokoll Gütegemeinschaft</source>
        <translation>&amp;Protocole de l&apos;association qualité</translation>
    </message>
    <message>
        <source>&amp;Grafik erstellen</source>
        <translation>Créer un &amp;graphique</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>O2- Aerolis a</source>
        <translation>O2- Aerolis a</translation>
    </message>
    <message>
        <source>Version 3.0.5</source>
        <translation>Version 3.0.5</translation>
    </message>
    <message>
        <source>Assynchrone Messwertspeicherung und<byte value="xd"/>Visualisierung in Zusammenarbeit mit</source>
        <translation>Enregistrement asynchrone des mesures et<byte value="xd"/>visualisation en collaboration avec</translation>
    </message>
    <message>
        <source>Einlesen der Systemumgebung!!!<byte value="xd"/> Anlernen der angeschlossenen Steuerungen.</source>
        <translation>Lecture de l&apos;environnement système !!!<byte value="xd"/> Apprentissage des commandes connectées.</translation>
    </message>
</context>
<context>
    <name>TFPC_Setup</name>
    <message>
        <source>PC- Setup</source>
        <translation>Configuration du PC</translation>
    </message>
    <message>
        <source>Seriell</source>
        <translation>Série</translation>
    </message>
    <message>
        <source>Netzwerk</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Schnittstelle</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Auswahl COM- Port:<byte value="xd"/>Kommunikation läuft mit<byte value="xd"/>8 Datenbits, 1Stopbit, <byte value="xd"/>Keine Parität</source>
        <translation>Choix du port COM :<byte value="xd"/>La communication utilise<byte value="xd"/>8 bits de données, 1 bit d&apos;arrêt, <byte value="xd"/>sans parité</translation>
    </message>
    <message>
        <source>%1 Baud</source>
        <translation>%1 bauds</translation>
    </message>
    <message>
        <source>IP- Adresse oder Netzwerkname</source>
        <translation>Adresse IP ou nom réseau</translation>
    </message>
    <message>
        <source>Port- Nummer</source>
        <translation>Numéro de port</translation>
    </message>
    <message>
        <source>Ping-Zeit [300ms- 60ms]</source>
        <translation>Temps de ping [300ms- 60ms]</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Anzeige: °F/in nicht aktiviert [°C/ cm]</source>
        <translation>Affichage : °F/in non activé [°C/ cm]</translation>
    </message>
    <message>
        <source>Anzeige Tiefe Referenztemp. in Protokoll</source>
        <translation>Afficher la profondeur de la temp. de référence dans le protocole</translation>
    </message>
    <message>
        <source>°F</source>
        <translation>°F</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Auswahl derTemperatur<byte value="xd"/>
bei welcher die Referenztiefe<byte value="xd"/>
berechnet wird.</source>
        <translation>Choix de la température<byte value="xd"/>
à laquelle la profondeur de référence<byte value="xd"/>
est calculée.</translation>
    </message>
    <message>
        <source>Offset für Mietenanzeige</source>
        <translation>Décalage de l&apos;affichage des andains</translation>
    </message>
    <message>
        <source>Auswahl des Anzeige- Offsets.<byte value="xd"/>
In den Mietennummern wird der Offset zu der<byte value="xd"/>
physikalischen Adresse hinzugerechnet.<byte value="xd"/>
Bsp.: Offset = 10<byte value="xd"/>
Anl.Nr    Anzeige<byte value="xd"/>
    1    Anl 10<byte value="xd"/>
    2    Anl 11<byte value="xd"/>
    3    Anl 12</source>
        <translation>Choix du décalage d&apos;affichage.<byte value="xd"/>
Les numéros d&apos;andain sont l&apos;adresse<byte value="xd"/>
physique plus le décalage.<byte value="xd"/>
Ex. : décalage = 10<byte value="xd"/>
N° inst.    Affichage<byte value="xd"/>
    1    Anl 10<byte value="xd"/>
    2    Anl 11<byte value="xd"/>
    3    Anl 12</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TMessDaten</name>
    <message>
        <source>T 40in</source>
        <translation>T 40in</translation>
    </message>
    <message>
        <source>T 100cm</source>
        <translation>T 100cm</translation>
    </message>
    <message>
        <source>T 30in</source>
        <translation>T 30in</translation>
    </message>
    <message>
        <source>T 75cm</source>
        <translation>T 75cm</translation>
    </message>
    <message>
        <source>T 20in</source>
        <translation>T 20in</translation>
    </message>
    <message>
        <source>T 50cm</source>
        <translation>T 50cm</translation>
    </message>
    <message>
        <source>T 10in</source>
        <translation>T 10in</translation>
    </message>
    <message>
        <source>T 25cm</source>
        <translation>T 25cm</translation>
    </message>
    <message>
        <source>T 0in</source>
        <translation>T 0in</translation>
    </message>
    <message>
        <source>T  0cm</source>
        <translation>T  0cm</translation>
    </message>
    <message>
        <source>O2</source>
        <translation>O2</translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation>Durée de marche</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Datum mit Uhrzeit</source>
        <translation>&apos;%1&apos; n&apos;est pas une date et heure valide</translation>
    </message>
    <message>
        <source>Messwert- Nr</source>
        <translation>N° de mesure</translation>
    </message>
    <message>
        <source>T[°F]</source>
        <translation>T[°F]</translation>
    </message>
    <message>
        <source>T[°C]</source>
        <translation>T[°C]</translation>
    </message>
    <message>
        <source>O2/vol%</source>
        <translation>O2/vol%</translation>
    </message>
    <message>
        <source>t/min</source>
        <translation>t/min</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
</context>
<context>
    <name>UiApplication</name>
    <message>
        <source>Network Composting control</source>
        <translation>Contrôle du compostage en réseau</translation>
    </message>
    <message>
        <source>Unbekannter Fehler.</source>
        <translation>Erreur inconnue.</translation>
    </message>
</context>
</TS>
