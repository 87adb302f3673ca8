<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Kommunikation::Link</name>
    <message>
        <source>Schliesse Verbindung....</source>
        <translation>Closing connection....</translation>
    </message>
    <message>
        <source>Baue Netzwerkverbindung auf......</source>
        <translation>Establishing network connection......</translation>
    </message>
    <message>
        <source>Serielle Verbindung auf :</source>
        <translation>Serial connection on :</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der seriellen Schnittstelle !<byte value="xd"/>Bitte überprüfen!!</source>
        <translation>Error opening the serial port !<byte value="xd"/>Please check!!</translation>
    </message>
    <message>
        <source>Keine Verbindung<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>No connection<byte value="xd"/>Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>Netzwerkverbindung zu :</source>
        <translation>Network connection to :</translation>
    </message>
    <message>
        <source>Netzwerkverbindung ist inaktiv !</source>
        <translation>Network connection is inactive !</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der Netzerkverbindung!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>Error opening the network connection!<byte value="xd"/>Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>Asynchroner Socket-Fehler %d</source>
        <translation>Asynchronous socket error %d</translation>
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
        <translation>Information</translation>
    </message>
    <message>
        <source>Warnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Bestätigung</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>TFAbout</name>
    <message>
        <source>Info</source>
        <translation>About</translation>
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
        <translation>Exit</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;PC-Setup</source>
        <translation>&amp;PC setup</translation>
    </message>
    <message>
        <source>Programm &amp;Setup</source>
        <translation>Program &amp;setup</translation>
    </message>
    <message>
        <source>Speicher&amp;zeit</source>
        <translation>Readout &amp;time</translation>
    </message>
    <message>
        <source>&amp;Firmendaten</source>
        <translation>&amp;Company data</translation>
    </message>
    <message>
        <source>&amp;Messung</source>
        <translation>&amp;Measurement</translation>
    </message>
    <message>
        <source>PC &amp;Anzeige</source>
        <translation>PC &amp;display</translation>
    </message>
    <message>
        <source>Anlagen einlernen</source>
        <translation>Teach in plants</translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation>Read &amp;offline data</translation>
    </message>
    <message>
        <source>&amp;Daten</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>Mess&amp;werte drucken</source>
        <translation>Print measured &amp;values</translation>
    </message>
    <message>
        <source>&amp;Protokoll Gütegemeinschaft</source>
        <translation>Quality association &amp;protocol</translation>
    </message>
    <message>
        <source>&amp;Grafik erstellen</source>
        <translation>Create &amp;graph</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
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
        <translation>Asynchronous measurement storage and<byte value="xd"/>visualisation in cooperation with</translation>
    </message>
    <message>
        <source>Einlesen der Systemumgebung!!!<byte value="xd"/> Anlernen der angeschlossenen Steuerungen.</source>
        <translation>Reading the system environment!!!<byte value="xd"/> Teaching in the connected controllers.</translation>
    </message>
</context>
<context>
    <name>TFPC_Setup</name>
    <message>
        <source>PC- Setup</source>
        <translation>PC Setup</translation>
    </message>
    <message>
        <source>Seriell</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>Netzwerk</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Schnittstelle</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Auswahl COM- Port:<byte value="xd"/>Kommunikation läuft mit<byte value="xd"/>8 Datenbits, 1Stopbit, <byte value="xd"/>Keine Parität</source>
        <translation>Choice of COM port:<byte value="xd"/>Communication runs with<byte value="xd"/>8 data bits, 1 stop bit, <byte value="xd"/>no parity</translation>
    </message>
    <message>
        <source>%1 Baud</source>
        <translation>%1 baud</translation>
    </message>
    <message>
        <source>IP- Adresse oder Netzwerkname</source>
        <translation>IP address or network name</translation>
    </message>
    <message>
        <source>Port- Nummer</source>
        <translation>Port number</translation>
    </message>
    <message>
        <source>Ping-Zeit [300ms- 60ms]</source>
        <translation>Ping time [300ms- 60ms]</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Anzeige: °F/in nicht aktiviert [°C/ cm]</source>
        <translation>Display: °F/in not activated [°C/ cm]</translation>
    </message>
    <message>
        <source>Anzeige Tiefe Referenztemp. in Protokoll</source>
        <translation>Show depth of reference temp. in protocol</translation>
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
        <translation>Choice of the temperature<byte value="xd"/>
at which the reference depth<byte value="xd"/>
is computed.</translation>
    </message>
    <message>
        <source>Offset für Mietenanzeige</source>
        <translation>Offset for the pile display</translation>
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
        <translation>Choice of the display offset.<byte value="xd"/>
The pile numbers are the physical address<byte value="xd"/>
plus the offset.<byte value="xd"/>
E.g.: offset = 10<byte value="xd"/>
Plant no.    Display<byte value="xd"/>
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
        <translation>Cancel</translation>
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
        <translation>Run time</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Datum mit Uhrzeit</source>
        <translation>&apos;%1&apos; is not a valid date and time</translation>
    </message>
    <message>
        <source>Messwert- Nr</source>
        <translation>Reading no.</translation>
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
        <translation>Network Composting control</translation>
    </message>
    <message>
        <source>Unbekannter Fehler.</source>
        <translation>Unknown error.</translation>
    </message>
</context>
</TS>
