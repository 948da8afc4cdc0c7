<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CMainWindow</name>
    <message>
        <source>tolVane-Vozudoz</source>
        <translation>tolVane-Vozudoz</translation>
    </message>
    <message>
        <source>Displays information about this application.</source>
        <translation>Zeigt Informationen über dieses Programm an.</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Retrieve log data. Fills the current tab page with the log data stored on the tolVane.</source>
        <translation>Log-Daten abrufen. Füllt die aktuelle Seite mit den auf dem tolVane gespeicherten Log-Daten.</translation>
    </message>
    <message>
        <source>Exports the log data of the current tab page into a file.</source>
        <translation>Exportiert die Log-Daten der aktuellen Seite in eine Datei.</translation>
    </message>
    <message>
        <source>Imports log data from a file.</source>
        <translation>Importiert Log-Daten aus einer Datei.</translation>
    </message>
    <message>
        <source>Deletes all or some data.</source>
        <translation>Löscht alle oder einen Teil der Daten.</translation>
    </message>
    <message>
        <source>Serial number: </source>
        <translation>Seriennummer: </translation>
    </message>
    <message>
        <source>Select the serial number for which the data should be displayed.</source>
        <translation>Wählen Sie die Seriennummer, deren Daten angezeigt werden sollen.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select the serial number for which the data should be displayed, if no device is connected.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Wählen Sie die Seriennummer, deren Daten angezeigt werden sollen, wenn kein Gerät angeschlossen ist.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p%</translation>
    </message>
    <message>
        <source>connection:</source>
        <translation>Verbindung:</translation>
    </message>
    <message>
        <source>Displays the connection status.</source>
        <translation>Zeigt den Verbindungsstatus an.</translation>
    </message>
    <message>
        <source>-  ok - </source>
        <translation>-  ok - </translation>
    </message>
    <message>
        <source>tolVane100:</source>
        <translation>tolVane100:</translation>
    </message>
    <message>
        <source>Displays the status of the tolVane100.</source>
        <translation>Zeigt den Status des tolVane100 an.</translation>
    </message>
    <message>
        <source>- ok -</source>
        <translation>- ok -</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>communication error</source>
        <translation>Kommunikationsfehler</translation>
    </message>
    <message>
        <source>waiting for response</source>
        <translation>warte auf Antwort</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>nicht verbunden</translation>
    </message>
    <message>
        <source>Text files for Excel (*.csv)</source>
        <translation>Textdateien für Excel (*.csv)</translation>
    </message>
    <message>
        <source>Any files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Unable to open file '%1'.
%2</source>
        <translation>Die Datei '%1' kann nicht geöffnet werden.
%2</translation>
    </message>
    <message>
        <source>Unable to write file '%1'.
%2</source>
        <translation>Die Datei '%1' kann nicht geschrieben werden.
%2</translation>
    </message>
    <message>
        <source>This function is only available for the tab pages %1, %2, %3 and %4. </source>
        <translation>Diese Funktion steht nur auf den Seiten %1, %2, %3 und %4 zur Verfügung. </translation>
    </message>
    <message>
        <source>This function is only available for the tab pages %1, %2, %3, %4 and %5. </source>
        <translation>Diese Funktion steht nur auf den Seiten %1, %2, %3, %4 und %5 zur Verfügung. </translation>
    </message>
    <message>
        <source>Retrieve data of '%1' from the tolVane device?</source>
        <translation>Daten '%1' vom tolVane-Gerät abrufen?</translation>
    </message>
    <message>
        <source>%1 %p%</source>
        <translation>%1 %p%</translation>
    </message>
    <message>
        <source>There are currently no '%1' records stored on the tolVane device.</source>
        <translation>Auf dem tolVane-Gerät sind zur Zeit keine Einträge '%1' gespeichert.</translation>
    </message>
    <message>
        <source>Communication error while retrieving '%1' records from the tolVane device.</source>
        <translation>Kommunikationsfehler beim Abrufen der Einträge '%1' vom tolVane-Gerät.</translation>
    </message>
    <message>
        <source>Delete all data which do not have a serial number?</source>
        <translation>Alle Daten ohne Seriennummer löschen?</translation>
    </message>
    <message>
        <source>Delete all data with serial number %1?</source>
        <translation>Alle Daten mit der Seriennummer %1 löschen?</translation>
    </message>
    <message>
        <source>Delete all data?</source>
        <translation>Alle Daten löschen?</translation>
    </message>
    <message>
        <source>File name for exporting '%1'</source>
        <translation>Dateiname für den Export von '%1'</translation>
    </message>
    <message>
        <source>File name to import</source>
        <translation>Dateiname für den Import</translation>
    </message>
    <message>
        <source>Reading CSV file '%1'...</source>
        <translation>CSV-Datei '%1' wird gelesen...</translation>
    </message>
</context>
<context>
    <name>CLogTabBase</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Explanation goes here</source>
        <translation>Hier steht die Erklärung</translation>
    </message>
</context>
<context>
    <name>CMinuteLogTab</name>
    <message>
        <source>The '%1' are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed automatically.</source>
        <translation>Die '%1' werden von tolVane-Vozudoz abgerufen, solange es läuft. Sie werden automatisch gespeichert und angezeigt.</translation>
    </message>
    <message>
        <source>Minute values of:</source>
        <translation>Minuten-Werte vom:</translation>
    </message>
</context>
<context>
    <name>CSecLogTab</name>
    <message>
        <source>The '%1' are stored on the tolVane. Click the button 'Retrieve log data' in order to load (or refresh) and display them.</source>
        <translation>Die '%1' sind auf dem tolVane gespeichert. Klicken Sie auf die Schaltfläche 'Log-Daten abrufen', um sie zu laden (oder zu aktualisieren) und anzuzeigen.</translation>
    </message>
</context>
<context>
    <name>CComboSerialNrFilter</name>
    <message>
        <source> - </source>
        <translation> - </translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>An instance of Update-tolVane or tolVane-Vozudoz is already running.
It is not possible to run more than one of those applications at the same time.</source>
        <translation>Update-tolVane oder tolVane-Vozudoz läuft bereits.
Es kann immer nur eines dieser Programme laufen.</translation>
    </message>
    <message>
        <source>Unable to load translations for locale '%1'.</source>
        <translation>Die Übersetzungen für die Sprache '%1' können nicht geladen werden.</translation>
    </message>
    <message>
        <source>The file '%1' exists alrady. Do you want to overwrite it?</source>
        <translation>Die Datei '%1' existiert bereits. Möchten Sie sie überschreiben?</translation>
    </message>
</context>
</TS>
