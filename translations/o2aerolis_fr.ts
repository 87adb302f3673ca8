<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="de">
<context>
    <name>Anzeige</name>
    <message>
        <source>Manuell- AUS</source>
        <translation>Manuel ARRÊT</translation>
    </message>
    <message>
        <source>Manuell- EIN</source>
        <translation>Manuel MARCHE</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>O2-Regelung</source>
        <translation>Régulation O2</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Mode de sécurité</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>MARCHE</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>ARRÊT</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION CONNECTÉE !!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION connectée est arrêtée !!</translation>
    </message>
    <message>
        <source>Sicherung am </source>
        <translation>Sauvegarde le </translation>
    </message>
</context>
<context>
    <name>BackupState</name>
    <message>
        <source>Sicherung überfällig: Anl %1</source>
        <translation>Sauvegarde en retard : install. %1</translation>
    </message>
</context>
<context>
    <name>BandReport</name>
    <message>
        <source>Druck-Vorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Bericht als PDF speichern</source>
        <translation>Enregistrer le rapport en PDF</translation>
    </message>
    <message>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Kein Drucker vorhanden.<byte value="xd"/>Der Ausdruck wurde als PDF gespeichert:<byte value="xd"/>%1</source>
        <translation>Aucune imprimante disponible.<byte value="xd"/>L&apos;impression a été enregistrée en PDF :<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>PDF kann nicht geschrieben werden: %1<byte value="xd"/>%2</source>
        <translation>Impossible d&apos;écrire le PDF : %1<byte value="xd"/>%2</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>Anlage %1 antwortet nicht.</source>
        <translation>L&apos;installation %1 ne répond pas.</translation>
    </message>
    <message>
        <source>Betriebsart muss 0..3 sein: %1</source>
        <translation>Le mode de fonctionnement doit être 0..3 : %1</translation>
    </message>
    <message>
        <source>Anlage %1 hat keine laufende Miete.</source>
        <translation>L&apos;installation %1 n&apos;a pas d&apos;andain en cours.</translation>
    </message>
    <message>
        <source>Unbekannter Einstellwert: %1</source>
        <translation>Valeur de réglage inconnue : %1</translation>
    </message>
    <message>
        <source>Kein Zahlenwert: %1</source>
        <translation>Pas un nombre : %1</translation>
    </message>
    <message>
        <source>%1 außerhalb des Bereichs %2..%3</source>
        <translation>%1 hors de la plage %2..%3</translation>
    </message>
    <message>
        <source>%1 braucht einen Wert</source>
        <translation>%1 demande une valeur</translation>
    </message>
    <message>
        <source>Der Anlagen Text braucht 1..20 Zeichen: %1</source>
        <translation>Le texte de l&apos;installation demande 1..20 caractères : %1</translation>
    </message>
    <message>
        <source>Nicht erlaubtes Zeichen im Anlagen Text: %1</source>
        <translation>Caractère non autorisé dans le texte de l&apos;installation : %1</translation>
    </message>
    <message>
        <source>Verzeichnis existiert nicht: %1</source>
        <translation>Le répertoire n&apos;existe pas : %1</translation>
    </message>
    <message>
        <source>Auf Anlage %1 läuft bereits eine Miete.</source>
        <translation>Un andain est déjà en cours sur l&apos;installation %1.</translation>
    </message>
    <message>
        <source>Auf Anlage %1 läuft keine Miete.</source>
        <translation>Aucun andain n&apos;est en cours sur l&apos;installation %1.</translation>
    </message>
    <message>
        <source>Unbekannter Befehl: %1</source>
        <translation>Commande inconnue : %1</translation>
    </message>
    <message>
        <source>report ist in dieser Ausgabe des Programms nicht enthalten</source>
        <translation>report ne fait pas partie de cette version du programme</translation>
    </message>
    <message>
        <source>series FILE [--per-day] [--json]</source>
        <translation>series FILE [--per-day] [--json]</translation>
    </message>
    <message>
        <source>--series braucht Namen: T1..T5, T55, O2, LZ, ZYKL</source>
        <translation>--series demande des noms : T1..T5, T55, O2, LZ, ZYKL</translation>
    </message>
    <message>
        <source>Unbekannte Messreihe: %1</source>
        <translation>Série inconnue : %1</translation>
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
        <translation>--pdf ne doit pas être le fichier de mesures : %1</translation>
    </message>
    <message>
        <source>Keine Messwerte in der Datei: kein PDF geschrieben</source>
        <translation>Aucune valeur mesurée dans le fichier : aucun PDF écrit</translation>
    </message>
    <message>
        <source>PDF kann nicht geschrieben werden: %1</source>
        <translation>Impossible d&apos;écrire le PDF : %1</translation>
    </message>
    <message>
        <source>Anlage muss eine Nummer %1..%2 sein: %3</source>
        <translation>L&apos;installation doit être un numéro %1..%2 : %3</translation>
    </message>
    <message>
        <source>Anl %1: Sicherung fehlgeschlagen, %2</source>
        <translation>install. %1 : échec de la sauvegarde, %2</translation>
    </message>
    <message>
        <source>Anl %1: %2 Datensätze im Speicher der Steuerung (höchstens 1000)</source>
        <translation>install. %1 : %2 enregistrements dans la mémoire du contrôleur (1000 au plus)</translation>
    </message>
    <message>
        <source>health [--json]</source>
        <translation>health [--json]</translation>
    </message>
    <message>
        <source>Einstellungsdatei nicht gefunden: %1</source>
        <translation>Fichier de paramètres introuvable : %1</translation>
    </message>
</context>
<context>
    <name>Daten</name>
    <message>
        <source>Pfade einer Windows-Installation übernommen: %1</source>
        <translation>Chemins d&apos;une installation Windows repris : %1</translation>
    </message>
</context>
<context>
    <name>DirLock</name>
    <message>
        <source>Das Programm arbeitet bereits mit diesem Verzeichnis (PID %1)</source>
        <translation>Le programme travaille déjà avec ce répertoire (PID %1)</translation>
    </message>
</context>
<context>
    <name>Hygiene</name>
    <message>
        <source>Hygienisierung (Temperatur und Dauer nach Bioabfallverordnung)</source>
        <translation>Hygiénisation (température et durée selon l&apos;ordonnance sur les biodéchets)</translation>
    </message>
    <message>
        <source>%1 °C / %2 Tage</source>
        <translation>%1 °C / %2 jours</translation>
    </message>
    <message>
        <source>Kern</source>
        <translation>Cœur</translation>
    </message>
    <message>
        <source>nie</source>
        <translation>jamais</translation>
    </message>
    <message>
        <source>%1 Tage</source>
        <translation>%1 jours</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>nein</source>
        <translation>non</translation>
    </message>
    <message>
        <source>Angaben aus der Messdatei (alle Messwerte), keine rechtliche Bewertung.</source>
        <translation>Données du fichier de mesures (toutes les valeurs), sans appréciation juridique.</translation>
    </message>
    <message>
        <source>Anforderung</source>
        <translation>Exigence</translation>
    </message>
    <message>
        <source>Messstelle</source>
        <translation>Sonde</translation>
    </message>
    <message>
        <source>längste Dauer</source>
        <translation>durée max.</translation>
    </message>
    <message>
        <source>von</source>
        <translation>du</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>au</translation>
    </message>
    <message>
        <source>erreicht</source>
        <translation>atteint</translation>
    </message>
    <message>
        <source>nur geschlossene Anlagen</source>
        <translation>si installation fermée</translation>
    </message>
    <message>
        <source>kältester Fühler 25–100 cm</source>
        <translation>sonde la plus froide 25–100 cm</translation>
    </message>
    <message>
        <source>Oberfläche 0 cm (nur Info)</source>
        <translation>Surface 0 cm (info seulement)</translation>
    </message>
    <message>
        <source>Kern: Fühler 100 cm; kältester Fühler: der kälteste der vier Fühler im Material (25, 50, 75 und 100 cm) zu jedem Messwert; Oberfläche: Fühler 0 cm, nur zur Information.</source>
        <translation>Cœur : la sonde à 100 cm ; sonde la plus froide : la plus froide des quatre sondes dans la matière (25, 50, 75 et 100 cm) à chaque mesure ; surface : la sonde à 0 cm, pour information seulement.</translation>
    </message>
    <message>
        <source>Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): %1</source>
        <translation>Lacunes de l&apos;enregistrement (plus de 2 × l&apos;écart médian) : %1</translation>
    </message>
</context>
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
    <message>
        <source>Serielle Verbindung verloren</source>
        <translation>Connexion série perdue</translation>
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
    <name>Readout</name>
    <message>
        <source>Speicherdatei kann nicht geöffnet werden !</source>
        <translation>Impossible d&apos;ouvrir le fichier de sauvegarde !</translation>
    </message>
    <message>
        <source>Anzahl der Speicherdaten kann nicht ausgelesen werden !<byte value="xd"/>Kommunikationsfehler !</source>
        <translation>Impossible de lire le nombre d&apos;enregistrements mémorisés !<byte value="xd"/>Erreur de communication !</translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT de la communication série !<byte value="xd"/>Veuillez vérifier le câble et les réglages du PC !<byte value="xd"/>Veuillez vérifier le câble et les réglages du PC !</translation>
    </message>
    <message>
        <source>Daten wurden nicht korrekt gespeichert!!<byte value="xd"/>Bitte Speichermedium überprüfen !!</source>
        <translation>Les données n&apos;ont pas été enregistrées correctement !!<byte value="xd"/>Veuillez vérifier le support de stockage !!</translation>
    </message>
    <message>
        <source>Messwerte wurden in der Speicherdatei gespeichert,<byte value="xd"/>aber die Einstellungen konnten nicht gespeichert werden !!<byte value="xd"/>Bitte Schreibrechte der Einstellungsdatei überprüfen !!</source>
        <translation>Les mesures ont été enregistrées dans le fichier de données,<byte value="xd"/>mais les paramètres n&apos;ont pas pu être enregistrés !!<byte value="xd"/>Veuillez vérifier les droits d&apos;écriture du fichier de paramètres !!</translation>
    </message>
    <message>
        <source>Nicht genug Platz für %1 Messwerte auf %2 (%3 frei)!<byte value="xd"/>Bitte Speichermedium überprüfen !!</source>
        <translation>Pas assez de place pour %1 mesures sur %2 (%3 libres) !<byte value="xd"/>Veuillez vérifier le support de stockage !!</translation>
    </message>
    <message>
        <source>Der zuletzt gelesene Messwert konnte nirgends gespeichert werden.</source>
        <translation>La dernière mesure lue n&apos;a pu être enregistrée nulle part.</translation>
    </message>
    <message>
        <source>Der zuletzt gelesene Messwert steht in %1</source>
        <translation>La dernière mesure lue se trouve dans %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Einstellungen konnten nicht gespeichert werden: %1</source>
        <translation>Les paramètres n&apos;ont pas pu être enregistrés : %1</translation>
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
    <name>TFAktiv</name>
    <message>
        <source>Humivo Aktiv !</source>
        <translation>Humivo actif !</translation>
    </message>
    <message>
        <source>Daten werden aus Steuerung geladen. Bitte etwas Geduld, Programm kann nicht unterbrochen werden !</source>
        <translation>Chargement des données du régulateur. Veuillez patienter, le programme ne peut pas être interrompu !</translation>
    </message>
</context>
<context>
    <name>TFAnlDatumSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Configuration du régulateur</translation>
    </message>
    <message>
        <source>Aktuelle Anlagen-Datum/Zeit Einstellung:</source>
        <translation>Date/heure actuelle de l&apos;installation :</translation>
    </message>
    <message>
        <source>Datum/ Zeit neu Setzen</source>
        <translation>Régler date/ heure</translation>
    </message>
    <message>
        <source>Fertig</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION CONNECTÉE !!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION connectée est arrêtée !!</translation>
    </message>
</context>
<context>
    <name>TFAnlageDaten</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Centre de contrôle du compostage</translation>
    </message>
    <message>
        <source>Anlage benennen</source>
        <translation>Nommer l&apos;installation</translation>
    </message>
    <message>
        <source>Anlagen- Nr.:</source>
        <translation>N° d&apos;installation :</translation>
    </message>
    <message>
        <source>Anlagen Text :</source>
        <translation>Texte de l&apos;installation :</translation>
    </message>
    <message>
        <source>Kommentar:</source>
        <translation>Commentaire :</translation>
    </message>
    <message>
        <source>Daten Speicherpfad:</source>
        <translation>Chemin de sauvegarde :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad..</source>
        <translation>Le chemin par défaut du fichier n&apos;existe pas, nouveau chemin défini..</translation>
    </message>
</context>
<context>
    <name>TFAnzeige</name>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT de la communication série !<byte value="xd"/>Veuillez vérifier le câble et les réglages du PC !<byte value="xd"/>Veuillez vérifier le câble et les réglages du PC !</translation>
    </message>
    <message>
        <source>Kompost- Messwerterfassung</source>
        <translation>Acquisition des mesures du compost</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Mieten- Verwaltung</source>
        <translation>&amp;Gestion des andains</translation>
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
        <translation>Lire les données &amp;hors ligne</translation>
    </message>
    <message>
        <source>Miete &amp;neu starten</source>
        <translation>Démarrer un &amp;nouvel andain</translation>
    </message>
    <message>
        <source>Miete &amp;fortführen</source>
        <translation>&amp;Poursuivre l&apos;andain</translation>
    </message>
    <message>
        <source>Miete &amp;beenden</source>
        <translation>&amp;Terminer l&apos;andain</translation>
    </message>
    <message>
        <source>PC-Speicherstatus</source>
        <translation>État de sauvegarde du PC</translation>
    </message>
    <message>
        <source>Einstell&amp;werte</source>
        <translation>&amp;Valeurs de réglage</translation>
    </message>
    <message>
        <source>&amp;Zeit/Datum setzen</source>
        <translation>Régler l&apos;&amp;heure/la date</translation>
    </message>
    <message>
        <source>Aktiv:</source>
        <translation>Actif :</translation>
    </message>
    <message>
        <source>Aktueller Anlagenzustand:</source>
        <translation>État actuel des installations :</translation>
    </message>
    <message>
        <source>Lüfter AUS</source>
        <translation>Ventilateur ARRÊT</translation>
    </message>
    <message>
        <source>Lüfter EIN</source>
        <translation>Ventilateur MARCHE</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>O2- Regelung</source>
        <translation>Régulation O2</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Mode de sécurité</translation>
    </message>
    <message>
        <source>Speicherstatus</source>
        <translation>État de mémoire</translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation>Durée de marche</translation>
    </message>
    <message>
        <source>Schaltzyklen</source>
        <translation>Cycles de commutation</translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Ventilateur</translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation>Mode de fonctionnement</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Nombre de valeurs enregistrées :</translation>
    </message>
    <message>
        <source>Ergebnis OK !</source>
        <translation>Résultat OK !</translation>
    </message>
    <message>
        <source>Fehler beim sichern!</source>
        <translation>Erreur lors de la sauvegarde !</translation>
    </message>
    <message>
        <source>EXCEL ( *.csv)</source>
        <translation>EXCEL ( *.csv)</translation>
    </message>
    <message>
        <source>Datendatei existiert nicht oder<byte value="xd"/>Kein gültiger Dateiaufbau<byte value="xd"/>Datei war nicht von dieser Software erzeugt!</source>
        <translation>Le fichier de données n&apos;existe pas ou<byte value="xd"/>Structure de fichier non valide<byte value="xd"/>Le fichier n&apos;a pas été créé par ce logiciel !</translation>
    </message>
    <message>
        <source>Anlage ist NICHT eingeschaltet!!<byte value="xd"/>Fehler beim Starten!</source>
        <translation>L&apos;installation n&apos;est PAS en marche !!<byte value="xd"/>Erreur au démarrage !</translation>
    </message>
    <message>
        <source>Soll die aktuell aktive Anlage ausgeschaltet werden ?<byte value="xd"/>Es werden keine weiteren Messwerte gespeichert.<byte value="xd"/>Einschalten durch Start einer neuen Miete!!</source>
        <translation>Arrêter l&apos;installation actuellement active ?<byte value="xd"/>Plus aucune mesure ne sera enregistrée.<byte value="xd"/>Remise en marche par le démarrage d&apos;un nouvel andain !!</translation>
    </message>
    <message>
        <source>Nicht alle Daten wurden korrekt gespeichert!!<byte value="xd"/>Trotzdem Anlage ausschalten???</source>
        <translation>Toutes les données n&apos;ont pas été enregistrées correctement !!<byte value="xd"/>Arrêter l&apos;installation quand même ???</translation>
    </message>
    <message>
        <source>Anlage ist ausgeschaltet!!<byte value="xd"/>Einschalten durch Start einer neuen Miete!</source>
        <translation>L&apos;installation est arrêtée !!<byte value="xd"/>Remise en marche par le démarrage d&apos;un nouvel andain !</translation>
    </message>
    <message>
        <source>Anlage ist NICHT ausgeschaltet!!<byte value="xd"/>Fehler bei der Übertragung!</source>
        <translation>L&apos;installation n&apos;est PAS arrêtée !!<byte value="xd"/>Erreur de transmission !</translation>
    </message>
    <message>
        <source>Sicherung am </source>
        <translation>Sauvegarde le </translation>
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
        <translation>Structure de fichier non valide<byte value="xd"/>Le fichier n&apos;a pas été créé par ce logiciel !</translation>
    </message>
    <message>
        <source>Humivo Protokolle</source>
        <translation>Protocoles Humivo</translation>
    </message>
    <message>
        <source>Humivo Protokoll Gütegemeinschaft</source>
        <translation>Protocole Humivo association qualité</translation>
    </message>
    <message>
        <source>Humivo Protokoll</source>
        <translation>Protocole Humivo</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>D&amp;rucken</source>
        <translation>I&amp;mprimer</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>&amp;Aperçu avant impression</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Grafik drucken</source>
        <translation>Imprimer le graphique</translation>
    </message>
    <message>
        <source>1 Wert/ Tag</source>
        <translation>1 valeur/ jour</translation>
    </message>
    <message>
        <source>Hygienisierung</source>
        <translation>Hygiénisation</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Nombre de valeurs enregistrées :</translation>
    </message>
</context>
<context>
    <name>TFDatenLesen1</name>
    <message>
        <source>Daten Offline lesen</source>
        <translation>Lecture des données hors ligne</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>&amp;Aperçu avant impression</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Daten auslesen</source>
        <translation>Lire les données</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Anzahl Datensätze:</source>
        <translation>Nombre d&apos;enregistrements :</translation>
    </message>
    <message>
        <source>Lese Datensatz:</source>
        <translation>Lecture de l&apos;enregistrement :</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>État :</translation>
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
        <translation>Mode de fonctionnement</translation>
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
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION RACCORDÉE !!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION raccordée est arrêtée !!</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht geöffnet werden !</source>
        <translation>Impossible d&apos;ouvrir le fichier de sauvegarde !</translation>
    </message>
    <message>
        <source>Anzahl der Speicherdaten kann nicht ausgelesen werden !<byte value="xd"/>Kommunikationsfehler !</source>
        <translation>Impossible de lire le nombre d&apos;enregistrements mémorisés !<byte value="xd"/>Erreur de communication !</translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT de la communication série !<byte value="xd"/>Veuillez vérifier le câble et les réglages du PC !<byte value="xd"/>Veuillez vérifier le câble et les réglages du PC !</translation>
    </message>
    <message>
        <source>INFO Daten auslesen abgeschlossen.</source>
        <translation>INFO Lecture des données terminée.</translation>
    </message>
    <message>
        <source>Daten wurden nicht korrekt gespeichert!!<byte value="xd"/>Bitte Speichermedium überprüfen !!</source>
        <translation>Les données n&apos;ont pas été enregistrées correctement !!<byte value="xd"/>Veuillez vérifier le support de stockage !!</translation>
    </message>
    <message>
        <source>Werte in Datei gespeichert !</source>
        <translation>Valeurs enregistrées dans le fichier !</translation>
    </message>
    <message>
        <source>Werte ausgedruckt !</source>
        <translation>Valeurs imprimées !</translation>
    </message>
    <message>
        <source>O2 [0,1 %]</source>
        <translation>O2 [0,1 %]</translation>
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
        <translation>Structure de fichier non valide<byte value="xd"/>Le fichier n&apos;a pas été créé par ce logiciel !</translation>
    </message>
    <message>
        <source>Humivo Graphik</source>
        <translation>Humivo graphique</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>&amp;Aperçu avant impression</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Datei öffnen</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Daten ausdrucken</source>
        <translation>Imprimer les données</translation>
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
        <translation>Profondeur du repère de référence</translation>
    </message>
    <message>
        <source>O2 Konzentration</source>
        <translation>Concentration O2</translation>
    </message>
    <message>
        <source>1Wert/Tag</source>
        <translation>1 valeur/jour</translation>
    </message>
    <message>
        <source>Lüfterlaufzeit</source>
        <translation>Durée de marche du ventilateur</translation>
    </message>
    <message>
        <source>Lüfterschaltzyklen</source>
        <translation>Cycles de commutation du ventilateur</translation>
    </message>
    <message>
        <source>Umweltdaten</source>
        <translation>Données d&apos;environnement</translation>
    </message>
    <message>
        <source>Lüfterdaten</source>
        <translation>Données du ventilateur</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Nombre de valeurs enregistrées :</translation>
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
    <name>TFO2MessSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Configuration du régulateur</translation>
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
        <translation>Seuil d&apos;enclenchement O2 :</translation>
    </message>
    <message>
        <source>O2-Ausschaltwert:</source>
        <translation>Seuil de déclenchement O2 :</translation>
    </message>
    <message>
        <source>Speicherintervall</source>
        <translation>Intervalle d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Lüfter- EIN- Intervall</source>
        <translation>Intervalle ventilateur MARCHE</translation>
    </message>
    <message>
        <source>Lüfter- AUS- Intervall</source>
        <translation>Intervalle ventilateur ARRÊT</translation>
    </message>
    <message>
        <source>Max Lüfter- EIN-Zeit</source>
        <translation>Durée max. ventilateur MARCHE</translation>
    </message>
    <message>
        <source>Max. Lüfter- AUS- Zeit</source>
        <translation>Durée max. ventilateur ARRÊT</translation>
    </message>
    <message>
        <source>Safety mode ON time</source>
        <translation>Mode de secours : durée MARCHE</translation>
    </message>
    <message>
        <source>Safety mode OFF time</source>
        <translation>Mode de secours : durée ARRÊT</translation>
    </message>
    <message>
        <source>Range 1-1440min</source>
        <translation>Plage 1-1440 min</translation>
    </message>
    <message>
        <source>Range 1-300min</source>
        <translation>Plage 1-300 min</translation>
    </message>
    <message>
        <source>Bereich 1-300min</source>
        <translation>Plage 1-300 min</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der <byte value="xd"/>
Luefter eingeschaltet wird.</source>
        <translation>Concentration d&apos;oxygène à laquelle le <byte value="xd"/>
ventilateur est mis en marche.</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der <byte value="xd"/>
Luefter ausgeschaltet wird.</source>
        <translation>Concentration d&apos;oxygène à laquelle le <byte value="xd"/>
ventilateur est arrêté.</translation>
    </message>
    <message>
        <source>Alle N- Minuten werden die aktuellen Mess-<byte value="xd"/>
werte in der Protokolldatei abgespeichert.</source>
        <translation>Toutes les N minutes, les valeurs mesurées<byte value="xd"/>
actuelles sont enregistrées dans le journal.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb<byte value="xd"/>
eingeschaltet ist.</source>
        <translation>Durée de marche du ventilateur<byte value="xd"/>
en mode intervalle.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb<byte value="xd"/>
ausgeschaltet ist.</source>
        <translation>Durée d&apos;arrêt du ventilateur<byte value="xd"/>
en mode intervalle.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im maximal laufen<byte value="xd"/>
darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>Durée maximale de marche du ventilateur<byte value="xd"/>
avant le démarrage du mode de secours.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter maximal abgeschaltet<byte value="xd"/>
sein darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>Durée maximale d&apos;arrêt du ventilateur<byte value="xd"/>
avant le démarrage du mode de secours.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb<byte value="xd"/>
eingeschaltet ist.</source>
        <translation>Durée de marche du ventilateur<byte value="xd"/>
en mode de secours.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb<byte value="xd"/>
ausgeschaltet ist.</source>
        <translation>Durée d&apos;arrêt du ventilateur<byte value="xd"/>
en mode de secours.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION CONNECTÉE !!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION connectée est arrêtée !!</translation>
    </message>
    <message>
        <source>Setup gändert, in Steuerung laden?</source>
        <translation>Configuration modifiée, charger dans le régulateur ?</translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!<byte value="xd"/>Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT de la communication série !<byte value="xd"/>Veuillez vérifier le câble et la configuration du PC !<byte value="xd"/>Veuillez vérifier le câble et la configuration du PC !</translation>
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
    <name>TFPfadsetzen</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Centre de contrôle du compostage</translation>
    </message>
    <message>
        <source>Pfad einstellen, in dem die Messdaten aus der Anlage gespeichert <byte value="xd"/>
werden. In diesem Verzeichnis werden die Daten in Dateien mit der<byte value="xd"/>
Endung </source>
        <translation>Définir le chemin dans lequel les mesures de l&apos;installation sont <byte value="xd"/>
enregistrées. Dans ce répertoire, les données sont enregistrées dans des fichiers<byte value="xd"/>
d&apos;extension </translation>
    </message>
    <message>
        <source> gespeichert.<byte value="xd"/>
Damit ist eine spätere Auswertung mit Standardprogrammen, z.B.  <byte value="xd"/>
EXCEL,  möglich</source>
        <translation>.<byte value="xd"/>
Une exploitation ultérieure avec des programmes standard, p. ex.  <byte value="xd"/>
EXCEL, est ainsi possible</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TFProtokKopf</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Commande de compostage - centre de contrôle</translation>
    </message>
    <message>
        <source>Protokollkopf</source>
        <translation>En-tête du protocole</translation>
    </message>
    <message>
        <source>Titeltext :</source>
        <translation>Texte du titre :</translation>
    </message>
    <message>
        <source>2. Zeile :</source>
        <translation>Ligne 2 :</translation>
    </message>
    <message>
        <source>3. Zeile :</source>
        <translation>Ligne 3 :</translation>
    </message>
    <message>
        <source>Die hier eingegebenen Daten werden in dem Ausdruck der Protokollwerte <byte value="xd"/>
im Seitenkopf dargestellt. Sie dienen der Archivierung und Zuordnung der <byte value="xd"/>
Messprotokolle.</source>
        <translation>Les données saisies ici figurent dans l&apos;en-tête des pages de l&apos;impression <byte value="xd"/>
des valeurs mesurées. Elles servent à l&apos;archivage et à l&apos;attribution <byte value="xd"/>
des journaux de mesures.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ignorieren</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Druck-Vorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Anlagen- Name: </source>
        <translation>Nom de l&apos;installation : </translation>
    </message>
</context>
<context>
    <name>TFQRGraphForm</name>
    <message>
        <source>AEROLIS Messprotokoll</source>
        <translation>AEROLIS journal de mesures</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Nom de l&apos;installation :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>Nom du fichier :</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Date/heure d&apos;impression :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page n° :</translation>
    </message>
</context>
<context>
    <name>TFQRKompForm</name>
    <message>
        <source>Humivo Messprotokoll</source>
        <translation>Humivo journal de mesures</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Nom de l&apos;installation :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>Nom du fichier :</translation>
    </message>
    <message>
        <source>Temperatur an Messtelle</source>
        <translation>Température au point de mesure</translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Ventilateur</translation>
    </message>
    <message>
        <source>Tiefe</source>
        <translation>Profondeur</translation>
    </message>
    <message>
        <source>Nr.:</source>
        <translation>N° :</translation>
    </message>
    <message>
        <source>Datum/Zeit</source>
        <translation>Date/heure</translation>
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
        <translation>Durée[min]</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>S 55°C[cm]</source>
        <translation>P 55°C[cm]</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Date/heure d&apos;impression :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page n° :</translation>
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
        <translation>Protocole Humivo association qualité</translation>
    </message>
    <message>
        <source>Temperatur- Protokoll Eigenuntersuchung von Kompost</source>
        <translation>Protocole de température de l&apos;auto-contrôle du compost</translation>
    </message>
    <message>
        <source>Betrieb:</source>
        <translation>Exploitation :</translation>
    </message>
    <message>
        <source>Mieten-Nr:</source>
        <translation>N° d&apos;andain :</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Messwerte</source>
        <translation>Valeurs mesurées</translation>
    </message>
    <message>
        <source>Rand </source>
        <translation>Bord </translation>
    </message>
    <message>
        <source>Kern </source>
        <translation>Cœur </translation>
    </message>
    <message>
        <source>Basis </source>
        <translation>Base </translation>
    </message>
    <message>
        <source>Bemerkung über Behandlungen und Witterung ( z.B. Umsetzen, Bewässern, Wetter, Aussentemperatur)</source>
        <translation>Remarques sur les traitements et la météo ( p. ex. retournement, arrosage, temps, température extérieure)</translation>
    </message>
    <message>
        <source>Prüfer/ Unterschrift</source>
        <translation>Contrôleur/ signature</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Date/heure d&apos;impression :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page n° :</translation>
    </message>
</context>
<context>
    <name>TFZeitSelect</name>
    <message>
        <source>Speicherzeit auswählen</source>
        <translation>Choisir l&apos;heure de lecture</translation>
    </message>
    <message>
        <source>Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung ausgelesen werden !</source>
        <translation>Heure à laquelle les données sont lues automatiquement du régulateur une fois par jour !</translation>
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
