<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Anzeige</name>
    <message>
        <source>Manuell- AUS</source>
        <translation>Manual OFF</translation>
    </message>
    <message>
        <source>Manuell- EIN</source>
        <translation>Manual ON</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>O2-Regelung</source>
        <translation>O2 control</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Safety mode</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
    <message>
        <source>Sicherung am </source>
        <translation>Backup on </translation>
    </message>
</context>
<context>
    <name>BackupState</name>
    <message>
        <source>Sicherung überfällig: Anl %1</source>
        <translation>Backup overdue: plant %1</translation>
    </message>
</context>
<context>
    <name>BandReport</name>
    <message>
        <source>Druck-Vorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Bericht als PDF speichern</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>Kein Drucker vorhanden.<byte value="xd"/>Der Ausdruck wurde als PDF gespeichert:<byte value="xd"/>%1</source>
        <translation>No printer available.<byte value="xd"/>The printout was saved as PDF:<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>PDF kann nicht geschrieben werden: %1<byte value="xd"/>%2</source>
        <translation>Cannot write the PDF: %1<byte value="xd"/>%2</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>Anlage %1 antwortet nicht.</source>
        <translation>Plant %1 does not answer.</translation>
    </message>
    <message>
        <source>Betriebsart muss 0..3 sein: %1</source>
        <translation>The operating mode must be 0..3: %1</translation>
    </message>
    <message>
        <source>Anlage %1 hat keine laufende Miete.</source>
        <translation>Plant %1 has no running pile.</translation>
    </message>
    <message>
        <source>Unbekannter Einstellwert: %1</source>
        <translation>Unknown setup value: %1</translation>
    </message>
    <message>
        <source>Kein Zahlenwert: %1</source>
        <translation>Not a number: %1</translation>
    </message>
    <message>
        <source>%1 außerhalb des Bereichs %2..%3</source>
        <translation>%1 outside the range %2..%3</translation>
    </message>
    <message>
        <source>%1 braucht einen Wert</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>Der Anlagen Text braucht 1..20 Zeichen: %1</source>
        <translation>The plant text needs 1..20 characters: %1</translation>
    </message>
    <message>
        <source>Nicht erlaubtes Zeichen im Anlagen Text: %1</source>
        <translation>Character not allowed in the plant text: %1</translation>
    </message>
    <message>
        <source>Verzeichnis existiert nicht: %1</source>
        <translation>Directory does not exist: %1</translation>
    </message>
    <message>
        <source>Auf Anlage %1 läuft bereits eine Miete.</source>
        <translation>A pile is already running on plant %1.</translation>
    </message>
    <message>
        <source>Auf Anlage %1 läuft keine Miete.</source>
        <translation>No pile is running on plant %1.</translation>
    </message>
    <message>
        <source>Unbekannter Befehl: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>report ist in dieser Ausgabe des Programms nicht enthalten</source>
        <translation>report is not part of this build of the program</translation>
    </message>
    <message>
        <source>series FILE [--per-day] [--json]</source>
        <translation>series FILE [--per-day] [--json]</translation>
    </message>
    <message>
        <source>--series braucht Namen: T1..T5, T55, O2, LZ, ZYKL</source>
        <translation>--series needs names: T1..T5, T55, O2, LZ, ZYKL</translation>
    </message>
    <message>
        <source>Unbekannte Messreihe: %1</source>
        <translation>Unknown series: %1</translation>
    </message>
    <message>
        <source>report log|quality|graph FILE --pdf OUT</source>
        <translation>report log|quality|graph FILE --pdf OUT</translation>
    </message>
    <message>
        <source>--sheet env|fan</source>
        <translation>--sheet env|fan</translation>
    </message>
    <message>
        <source>--pdf darf nicht die Messdatei sein: %1</source>
        <translation>--pdf must not be the measurement file: %1</translation>
    </message>
    <message>
        <source>Keine Messwerte in der Datei: kein PDF geschrieben</source>
        <translation>No measured values in the file: no PDF written</translation>
    </message>
    <message>
        <source>PDF kann nicht geschrieben werden: %1</source>
        <translation>Cannot write the PDF: %1</translation>
    </message>
    <message>
        <source>Anl %1: Sicherung fehlgeschlagen, %2</source>
        <translation>plant %1: backup failed, %2</translation>
    </message>
    <message>
        <source>Anl %1: %2 Datensätze im Speicher der Steuerung (höchstens 1000)</source>
        <translation>plant %1: %2 records in the controller&apos;s memory (at most 1000)</translation>
    </message>
    <message>
        <source>health [--json]</source>
        <translation>health [--json]</translation>
    </message>
    <message>
        <source>Einstellungsdatei nicht gefunden: %1</source>
        <translation>Settings file not found: %1</translation>
    </message>
    <message>
        <source>Anlage muss eine Nummer %1..%2 sein: %3</source>
        <translation>The plant must be a number %1..%2: %3</translation>
    </message>
</context>
<context>
    <name>Daten</name>
    <message>
        <source>Pfade einer Windows-Installation übernommen: %1</source>
        <translation>Paths of a Windows installation taken over: %1</translation>
    </message>
</context>
<context>
    <name>DirLock</name>
    <message>
        <source>Das Programm arbeitet bereits mit diesem Verzeichnis (PID %1)</source>
        <translation>The program is already working with this directory (PID %1)</translation>
    </message>
</context>
<context>
    <name>Hygiene</name>
    <message>
        <source>Hygienisierung (Temperatur und Dauer nach Bioabfallverordnung)</source>
        <translation>Hygienisation (temperature and duration according to the Biowaste Ordinance)</translation>
    </message>
    <message>
        <source>%1 °C / %2 Tage</source>
        <translation>%1 °C / %2 days</translation>
    </message>
    <message>
        <source>Kern</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>nie</source>
        <translation>never</translation>
    </message>
    <message>
        <source>%1 Tage</source>
        <translation>%1 days</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>nein</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Angaben aus der Messdatei (alle Messwerte), keine rechtliche Bewertung.</source>
        <translation>Facts from the measurement file (all readings), not a legal assessment.</translation>
    </message>
    <message>
        <source>Anforderung</source>
        <translation>Requirement</translation>
    </message>
    <message>
        <source>Messstelle</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>längste Dauer</source>
        <translation>longest period</translation>
    </message>
    <message>
        <source>von</source>
        <translation>from</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>to</translation>
    </message>
    <message>
        <source>erreicht</source>
        <translation>reached</translation>
    </message>
    <message>
        <source>nur geschlossene Anlagen</source>
        <translation>closed plants only</translation>
    </message>
    <message>
        <source>kältester Fühler 25–100 cm</source>
        <translation>coldest sensor 25–100 cm</translation>
    </message>
    <message>
        <source>Oberfläche 0 cm (nur Info)</source>
        <translation>Surface 0 cm (info only)</translation>
    </message>
    <message>
        <source>Kern: Fühler 100 cm; kältester Fühler: der kälteste der vier Fühler im Material (25, 50, 75 und 100 cm) zu jedem Messwert; Oberfläche: Fühler 0 cm, nur zur Information.</source>
        <translation>Core: the sensor at 100 cm; coldest sensor: the coldest of the four sensors inside the material (25, 50, 75 and 100 cm) at each record; surface: the sensor at 0 cm, for information only.</translation>
    </message>
    <message>
        <source>Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): %1</source>
        <translation>Gaps in the record (longer than 2 × the median spacing): %1</translation>
    </message>
</context>
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
    <message>
        <source>Serielle Verbindung verloren</source>
        <translation>Serial connection lost</translation>
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
    <name>Readout</name>
    <message>
        <source>Speicherdatei kann nicht geöffnet werden !</source>
        <translation>Cannot open the storage file!</translation>
    </message>
    <message>
        <source>Anzahl der Speicherdaten kann nicht ausgelesen werden !<byte value="xd"/>Kommunikationsfehler !</source>
        <translation>Cannot read the number of stored records!<byte value="xd"/>Communication error!</translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT in the serial communication!<byte value="xd"/>Please check the cable and the PC settings!<byte value="xd"/>Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>Daten wurden nicht korrekt gespeichert!!<byte value="xd"/>Bitte Speichermedium überprüfen !!</source>
        <translation>Data were not saved correctly!!<byte value="xd"/>Please check the storage medium!!</translation>
    </message>
    <message>
        <source>Messwerte wurden in der Speicherdatei gespeichert,<byte value="xd"/>aber die Einstellungen konnten nicht gespeichert werden !!<byte value="xd"/>Bitte Schreibrechte der Einstellungsdatei überprüfen !!</source>
        <translation>The measured values were saved in the data file,<byte value="xd"/>but the settings could not be saved!!<byte value="xd"/>Please check the write permissions of the settings file!!</translation>
    </message>
    <message>
        <source>Nicht genug Platz für %1 Messwerte auf %2 (%3 frei)!<byte value="xd"/>Bitte Speichermedium überprüfen !!</source>
        <translation>Not enough room for %1 records on %2 (%3 free)!<byte value="xd"/>Please check the storage medium!!</translation>
    </message>
    <message>
        <source>Der zuletzt gelesene Messwert konnte nirgends gespeichert werden.</source>
        <translation>The record read last could not be saved anywhere.</translation>
    </message>
    <message>
        <source>Der zuletzt gelesene Messwert steht in %1</source>
        <translation>The record read last is in %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Einstellungen konnten nicht gespeichert werden: %1</source>
        <translation>The settings could not be saved: %1</translation>
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
    <name>TFAktiv</name>
    <message>
        <source>Humivo Aktiv !</source>
        <translation>Humivo active!</translation>
    </message>
    <message>
        <source>Daten werden aus Steuerung geladen. Bitte etwas Geduld, Programm kann nicht unterbrochen werden !</source>
        <translation>Loading data from the controller. Please be patient, the program cannot be interrupted!</translation>
    </message>
</context>
<context>
    <name>TFAnlDatumSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Controller setup</translation>
    </message>
    <message>
        <source>Aktuelle Anlagen-Datum/Zeit Einstellung:</source>
        <translation>Current plant date/time setting:</translation>
    </message>
    <message>
        <source>Datum/ Zeit neu Setzen</source>
        <translation>Set date/ time again</translation>
    </message>
    <message>
        <source>Fertig</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
</context>
<context>
    <name>TFAnlageDaten</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Compost control centre</translation>
    </message>
    <message>
        <source>Anlage benennen</source>
        <translation>Name the plant</translation>
    </message>
    <message>
        <source>Anlagen- Nr.:</source>
        <translation>Plant no.:</translation>
    </message>
    <message>
        <source>Anlagen Text :</source>
        <translation>Plant text :</translation>
    </message>
    <message>
        <source>Kommentar:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>Daten Speicherpfad:</source>
        <translation>Data storage path:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad..</source>
        <translation>Default path for the data file does not exist, setting a new path..</translation>
    </message>
</context>
<context>
    <name>TFAnzeige</name>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT in the serial communication!<byte value="xd"/>Please check the cable and the PC settings!<byte value="xd"/>Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>Kompost- Messwerterfassung</source>
        <translation>Compost data acquisition</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Mieten- Verwaltung</source>
        <translation>&amp;Pile management</translation>
    </message>
    <message>
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation>Read data &amp;offline</translation>
    </message>
    <message>
        <source>Miete &amp;neu starten</source>
        <translation>Start &amp;new pile</translation>
    </message>
    <message>
        <source>Miete &amp;fortführen</source>
        <translation>&amp;Continue pile</translation>
    </message>
    <message>
        <source>Miete &amp;beenden</source>
        <translation>&amp;End pile</translation>
    </message>
    <message>
        <source>PC-Speicherstatus</source>
        <translation>PC storage status</translation>
    </message>
    <message>
        <source>Einstell&amp;werte</source>
        <translation>Setup &amp;values</translation>
    </message>
    <message>
        <source>&amp;Zeit/Datum setzen</source>
        <translation>Set &amp;time/date</translation>
    </message>
    <message>
        <source>Aktiv:</source>
        <translation>Active:</translation>
    </message>
    <message>
        <source>Aktueller Anlagenzustand:</source>
        <translation>Current plant state:</translation>
    </message>
    <message>
        <source>Lüfter AUS</source>
        <translation>Fan OFF</translation>
    </message>
    <message>
        <source>Lüfter EIN</source>
        <translation>Fan ON</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>O2- Regelung</source>
        <translation>O2 control</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Safety mode</translation>
    </message>
    <message>
        <source>Speicherstatus</source>
        <translation>Storage status</translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>Schaltzyklen</source>
        <translation>Switching cycles</translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Number of stored values:</translation>
    </message>
    <message>
        <source>Ergebnis OK !</source>
        <translation>Result OK !</translation>
    </message>
    <message>
        <source>Fehler beim sichern!</source>
        <translation>Error while saving!</translation>
    </message>
    <message>
        <source>EXCEL ( *.csv)</source>
        <translation>EXCEL ( *.csv)</translation>
    </message>
    <message>
        <source>Datendatei existiert nicht oder<byte value="xd"/>Kein gültiger Dateiaufbau<byte value="xd"/>Datei war nicht von dieser Software erzeugt!</source>
        <translation>Data file does not exist or<byte value="xd"/>No valid file layout<byte value="xd"/>File was not created by this software!</translation>
    </message>
    <message>
        <source>Anlage ist NICHT eingeschaltet!!<byte value="xd"/>Fehler beim Starten!</source>
        <translation>Plant is NOT switched on!!<byte value="xd"/>Error while starting!</translation>
    </message>
    <message>
        <source>Soll die aktuell aktive Anlage ausgeschaltet werden ?<byte value="xd"/>Es werden keine weiteren Messwerte gespeichert.<byte value="xd"/>Einschalten durch Start einer neuen Miete!!</source>
        <translation>Switch off the currently active plant?<byte value="xd"/>No further measured values will be stored.<byte value="xd"/>Switch on by starting a new pile!!</translation>
    </message>
    <message>
        <source>Nicht alle Daten wurden korrekt gespeichert!!<byte value="xd"/>Trotzdem Anlage ausschalten???</source>
        <translation>Not all data were stored correctly!!<byte value="xd"/>Switch the plant off anyway???</translation>
    </message>
    <message>
        <source>Anlage ist ausgeschaltet!!<byte value="xd"/>Einschalten durch Start einer neuen Miete!</source>
        <translation>Plant is switched off!!<byte value="xd"/>Switch on by starting a new pile!</translation>
    </message>
    <message>
        <source>Anlage ist NICHT ausgeschaltet!!<byte value="xd"/>Fehler bei der Übertragung!</source>
        <translation>Plant is NOT switched off!!<byte value="xd"/>Transmission error!</translation>
    </message>
    <message>
        <source>Sicherung am </source>
        <translation>Backup on </translation>
    </message>
</context>
<context>
    <name>TFCSV_Lesen</name>
    <message>
        <source>EXCEL ( *.csv)</source>
        <translation>EXCEL ( *.csv)</translation>
    </message>
    <message>
        <source>Kein gültiger Dateiaufbau<byte value="xd"/>Datei war nicht von dieser Software erzeugt!</source>
        <translation>No valid file structure<byte value="xd"/>The file was not created by this software!</translation>
    </message>
    <message>
        <source>Humivo Protokolle</source>
        <translation>Humivo Protocols</translation>
    </message>
    <message>
        <source>Humivo Protokoll Gütegemeinschaft</source>
        <translation>Humivo Quality Association Protocol</translation>
    </message>
    <message>
        <source>Humivo Protokoll</source>
        <translation>Humivo Protocol</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>D&amp;rucken</source>
        <translation>P&amp;rint</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Grafik drucken</source>
        <translation>Print graph</translation>
    </message>
    <message>
        <source>1 Wert/ Tag</source>
        <translation>1 value/ day</translation>
    </message>
    <message>
        <source>Hygienisierung</source>
        <translation>Hygienisation</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Number of stored values:</translation>
    </message>
</context>
<context>
    <name>TFDatenLesen1</name>
    <message>
        <source>Daten Offline lesen</source>
        <translation>Read data offline</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Daten auslesen</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Anzahl Datensätze:</source>
        <translation>Number of records:</translation>
    </message>
    <message>
        <source>Lese Datensatz:</source>
        <translation>Reading record:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>T5[°F]</source>
        <translation>T5[°F]</translation>
    </message>
    <message>
        <source>T5[°C]</source>
        <translation>T5[°C]</translation>
    </message>
    <message>
        <source>T4[°F]</source>
        <translation>T4[°F]</translation>
    </message>
    <message>
        <source>T4[°C]</source>
        <translation>T4[°C]</translation>
    </message>
    <message>
        <source>T3[°F]</source>
        <translation>T3[°F]</translation>
    </message>
    <message>
        <source>T3[°C]</source>
        <translation>T3[°C]</translation>
    </message>
    <message>
        <source>T2[°F]</source>
        <translation>T2[°F]</translation>
    </message>
    <message>
        <source>T2[°C]</source>
        <translation>T2[°C]</translation>
    </message>
    <message>
        <source>T1[°F]</source>
        <translation>T1[°F]</translation>
    </message>
    <message>
        <source>T1[°C]</source>
        <translation>T1[°C]</translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation>Operating mode</translation>
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
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht geöffnet werden !</source>
        <translation>Cannot open the storage file!</translation>
    </message>
    <message>
        <source>Anzahl der Speicherdaten kann nicht ausgelesen werden !<byte value="xd"/>Kommunikationsfehler !</source>
        <translation>Cannot read the number of stored records!<byte value="xd"/>Communication error!</translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT in the serial communication!<byte value="xd"/>Please check the cable and the PC settings!<byte value="xd"/>Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>INFO Daten auslesen abgeschlossen.</source>
        <translation>INFO Data readout finished.</translation>
    </message>
    <message>
        <source>Daten wurden nicht korrekt gespeichert!!<byte value="xd"/>Bitte Speichermedium überprüfen !!</source>
        <translation>Data were not saved correctly!!<byte value="xd"/>Please check the storage medium!!</translation>
    </message>
    <message>
        <source>Werte in Datei gespeichert !</source>
        <translation>Values saved to file!</translation>
    </message>
    <message>
        <source>Werte ausgedruckt !</source>
        <translation>Values printed!</translation>
    </message>
    <message>
        <source>O2 [0,1 %]</source>
        <translation>O2 [0.1 %]</translation>
    </message>
</context>
<context>
    <name>TFGraphForm</name>
    <message>
        <source>EXCEL ( *.csv)</source>
        <translation>EXCEL ( *.csv)</translation>
    </message>
    <message>
        <source>Kein gültiger Dateiaufbau<byte value="xd"/>Datei war nicht von dieser Software erzeugt!</source>
        <translation>No valid file structure<byte value="xd"/>The file was not created by this software!</translation>
    </message>
    <message>
        <source>Humivo Graphik</source>
        <translation>Humivo graph</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Datei öffnen</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Daten ausdrucken</source>
        <translation>Print data</translation>
    </message>
    <message>
        <source>T 40in</source>
        <translation>T 40in</translation>
    </message>
    <message>
        <source>T 30in</source>
        <translation>T 30in</translation>
    </message>
    <message>
        <source>T 20in</source>
        <translation>T 20in</translation>
    </message>
    <message>
        <source>T 10in</source>
        <translation>T 10in</translation>
    </message>
    <message>
        <source>T 0in</source>
        <translation>T 0in</translation>
    </message>
    <message>
        <source>T 100cm [°C]</source>
        <translation>T 100cm [°C]</translation>
    </message>
    <message>
        <source>T  75cm [°C]</source>
        <translation>T  75cm [°C]</translation>
    </message>
    <message>
        <source>T  50cm [°C]</source>
        <translation>T  50cm [°C]</translation>
    </message>
    <message>
        <source>T  25cm [°C]</source>
        <translation>T  25cm [°C]</translation>
    </message>
    <message>
        <source>T  0cm [°C]</source>
        <translation>T  0cm [°C]</translation>
    </message>
    <message>
        <source>Tiefe Referenz Marke</source>
        <translation>Reference mark depth</translation>
    </message>
    <message>
        <source>O2 Konzentration</source>
        <translation>O2 concentration</translation>
    </message>
    <message>
        <source>1Wert/Tag</source>
        <translation>1 value/day</translation>
    </message>
    <message>
        <source>Lüfterlaufzeit</source>
        <translation>Fan run time</translation>
    </message>
    <message>
        <source>Lüfterschaltzyklen</source>
        <translation>Fan switching cycles</translation>
    </message>
    <message>
        <source>Umweltdaten</source>
        <translation>Environment data</translation>
    </message>
    <message>
        <source>Lüfterdaten</source>
        <translation>Fan data</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Number of stored values:</translation>
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
    <name>TFO2MessSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Controller setup</translation>
    </message>
    <message>
        <source>[min]</source>
        <translation>[min]</translation>
    </message>
    <message>
        <source>[vol%]</source>
        <translation>[vol%]</translation>
    </message>
    <message>
        <source>O2-Einschaltwert:</source>
        <translation>O2 switch-on value:</translation>
    </message>
    <message>
        <source>O2-Ausschaltwert:</source>
        <translation>O2 switch-off value:</translation>
    </message>
    <message>
        <source>Speicherintervall</source>
        <translation>Storage interval</translation>
    </message>
    <message>
        <source>Lüfter- EIN- Intervall</source>
        <translation>Fan ON interval</translation>
    </message>
    <message>
        <source>Lüfter- AUS- Intervall</source>
        <translation>Fan OFF interval</translation>
    </message>
    <message>
        <source>Max Lüfter- EIN-Zeit</source>
        <translation>Max. fan ON time</translation>
    </message>
    <message>
        <source>Max. Lüfter- AUS- Zeit</source>
        <translation>Max. fan OFF time</translation>
    </message>
    <message>
        <source>Safety mode ON time</source>
        <translation>Safety mode ON time</translation>
    </message>
    <message>
        <source>Safety mode OFF time</source>
        <translation>Safety mode OFF time</translation>
    </message>
    <message>
        <source>Range 1-1440min</source>
        <translation>Range 1-1440min</translation>
    </message>
    <message>
        <source>Range 1-300min</source>
        <translation>Range 1-300min</translation>
    </message>
    <message>
        <source>Bereich 1-300min</source>
        <translation>Range 1-300min</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der <byte value="xd"/>
Luefter eingeschaltet wird.</source>
        <translation>Oxygen concentration at which the <byte value="xd"/>
fan is switched on.</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der <byte value="xd"/>
Luefter ausgeschaltet wird.</source>
        <translation>Oxygen concentration at which the <byte value="xd"/>
fan is switched off.</translation>
    </message>
    <message>
        <source>Alle N- Minuten werden die aktuellen Mess-<byte value="xd"/>
werte in der Protokolldatei abgespeichert.</source>
        <translation>Every N minutes the current measured<byte value="xd"/>
values are stored in the log file.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb<byte value="xd"/>
eingeschaltet ist.</source>
        <translation>How long the fan is switched on<byte value="xd"/>
in interval mode.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb<byte value="xd"/>
ausgeschaltet ist.</source>
        <translation>How long the fan is switched off<byte value="xd"/>
in interval mode.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im maximal laufen<byte value="xd"/>
darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>Longest time the fan may run<byte value="xd"/>
before the safety mode starts.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter maximal abgeschaltet<byte value="xd"/>
sein darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>Longest time the fan may stay off<byte value="xd"/>
before the safety mode starts.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb<byte value="xd"/>
eingeschaltet ist.</source>
        <translation>How long the fan is switched on<byte value="xd"/>
in safety mode.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb<byte value="xd"/>
ausgeschaltet ist.</source>
        <translation>How long the fan is switched off<byte value="xd"/>
in safety mode.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
    <message>
        <source>Setup gändert, in Steuerung laden?</source>
        <translation>Setup changed, load into the controller?</translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT in the serial communication!<byte value="xd"/>Please check the cable and the PC settings!<byte value="xd"/>Please check the cable and the PC settings!</translation>
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
    <name>TFPfadsetzen</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Compost control centre</translation>
    </message>
    <message>
        <source>Pfad einstellen, in dem die Messdaten aus der Anlage gespeichert <byte value="xd"/>
werden. In diesem Verzeichnis werden die Daten in Dateien mit der<byte value="xd"/>
Endung </source>
        <translation>Set the path in which the measured data of the plant are <byte value="xd"/>
stored. In this directory the data are stored in files with the<byte value="xd"/>
extension </translation>
    </message>
    <message>
        <source> gespeichert.<byte value="xd"/>
Damit ist eine spätere Auswertung mit Standardprogrammen, z.B.  <byte value="xd"/>
EXCEL,  möglich</source>
        <translation>.<byte value="xd"/>
This allows a later evaluation with standard programs, e.g.  <byte value="xd"/>
EXCEL.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFProtokKopf</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Compost control - control center</translation>
    </message>
    <message>
        <source>Protokollkopf</source>
        <translation>Report header</translation>
    </message>
    <message>
        <source>Titeltext :</source>
        <translation>Title text :</translation>
    </message>
    <message>
        <source>2. Zeile :</source>
        <translation>Line 2 :</translation>
    </message>
    <message>
        <source>3. Zeile :</source>
        <translation>Line 3 :</translation>
    </message>
    <message>
        <source>Die hier eingegebenen Daten werden in dem Ausdruck der Protokollwerte <byte value="xd"/>
im Seitenkopf dargestellt. Sie dienen der Archivierung und Zuordnung der <byte value="xd"/>
Messprotokolle.</source>
        <translation>The data entered here are shown in the page header of the printed <byte value="xd"/>
measurement values. They serve to archive and assign the <byte value="xd"/>
measurement logs.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ignorieren</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Druck-Vorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Anlagen- Name: </source>
        <translation>Plant name: </translation>
    </message>
</context>
<context>
    <name>TFQRGraphForm</name>
    <message>
        <source>AEROLIS Messprotokoll</source>
        <translation>AEROLIS measurement log</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Plant name :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>File name :</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Print date/time :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page no. :</translation>
    </message>
</context>
<context>
    <name>TFQRKompForm</name>
    <message>
        <source>Humivo Messprotokoll</source>
        <translation>Humivo measurement log</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Plant name :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>File name :</translation>
    </message>
    <message>
        <source>Temperatur an Messtelle</source>
        <translation>Temperature at measuring point</translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>Tiefe</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Nr.:</source>
        <translation>No.:</translation>
    </message>
    <message>
        <source>Datum/Zeit</source>
        <translation>Date/time</translation>
    </message>
    <message>
        <source>T5[°C]</source>
        <translation>T5[°C]</translation>
    </message>
    <message>
        <source>T4[°C]</source>
        <translation>T4[°C]</translation>
    </message>
    <message>
        <source>T3[°C]</source>
        <translation>T3[°C]</translation>
    </message>
    <message>
        <source>T2[°C]</source>
        <translation>T2[°C]</translation>
    </message>
    <message>
        <source>T1[°C]</source>
        <translation>T1[°C]</translation>
    </message>
    <message>
        <source>O2[vol%]</source>
        <translation>O2[vol%]</translation>
    </message>
    <message>
        <source>Laufzeit[min]</source>
        <translation>Run time[min]</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>S 55°C[cm]</source>
        <translation>D 55°C[cm]</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Print date/time :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page nr. :</translation>
    </message>
    <message>
        <source>T5[°F]</source>
        <translation>T5[°F]</translation>
    </message>
    <message>
        <source>T4[°F]</source>
        <translation>T4[°F]</translation>
    </message>
    <message>
        <source>T3[°F]</source>
        <translation>T3[°F]</translation>
    </message>
    <message>
        <source>T2[°F]</source>
        <translation>T2[°F]</translation>
    </message>
    <message>
        <source>T1[°F]</source>
        <translation>T1[°F]</translation>
    </message>
</context>
<context>
    <name>TFQRKompProtokoll</name>
    <message>
        <source>Humivo Protokoll Gütegemeinschaft</source>
        <translation>Humivo Quality Association Protocol</translation>
    </message>
    <message>
        <source>Temperatur- Protokoll Eigenuntersuchung von Kompost</source>
        <translation>Temperature protocol of the in-house compost inspection</translation>
    </message>
    <message>
        <source>Betrieb:</source>
        <translation>Company:</translation>
    </message>
    <message>
        <source>Mieten-Nr:</source>
        <translation>Pile no.:</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Messwerte</source>
        <translation>Measured values</translation>
    </message>
    <message>
        <source>Rand </source>
        <translation>Edge </translation>
    </message>
    <message>
        <source>Kern </source>
        <translation>Core </translation>
    </message>
    <message>
        <source>Basis </source>
        <translation>Base </translation>
    </message>
    <message>
        <source>Bemerkung über Behandlungen und Witterung ( z.B. Umsetzen, Bewässern, Wetter, Aussentemperatur)</source>
        <translation>Remarks on treatments and weather ( e.g. turning, watering, weather, outside temperature)</translation>
    </message>
    <message>
        <source>Prüfer/ Unterschrift</source>
        <translation>Inspector/ signature</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Print date/time :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page no. :</translation>
    </message>
</context>
<context>
    <name>TFZeitSelect</name>
    <message>
        <source>Speicherzeit auswählen</source>
        <translation>Choose readout time</translation>
    </message>
    <message>
        <source>Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung ausgelesen werden !</source>
        <translation>Time at which the data are read out of the controller automatically once a day!</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
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
