<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>About tolVane-Vozudoz</source>
        <translation>Über tolVane-Vozudoz</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;tolVane-Vozudoz    %1&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;tolVane-Vozudoz    %1&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;Web:   &lt;/span&gt; &lt;a href=&quot;https://www.quorvanix.example&quot;&gt;&lt;span style=&quot; font-size:14pt; text-decoration: underline; color:#0000ff;&quot;&gt;https://www.quorvanix.example&lt;/span&gt;&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;Web:   &lt;/span&gt; &lt;a href=&quot;https://www.quorvanix.example&quot;&gt;&lt;span style=&quot; font-size:14pt; text-decoration: underline; color:#0000ff;&quot;&gt;https://www.quorvanix.example&lt;/span&gt;&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;e-mail:&lt;/span&gt; &lt;a href=&quot;mailto:info@quorvanix.example&quot;&gt;&lt;span style=&quot; font-size:14pt; text-decoration: underline; color:#0000ff;&quot;&gt;info@quorvanix.example&lt;/span&gt;&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;E-Mail:&lt;/span&gt; &lt;a href=&quot;mailto:info@quorvanix.example&quot;&gt;&lt;span style=&quot; font-size:14pt; text-decoration: underline; color:#0000ff;&quot;&gt;info@quorvanix.example&lt;/span&gt;&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>© Quorvanix. All rights reserved.</source>
        <translation>© Quorvanix. Alle Rechte vorbehalten.</translation>
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
    <name>CDBBase</name>
    <message>
        <source>Unable to open database file &apos;%1&apos;. 
&apos;%2&apos;</source>
        <translation>Die Datenbankdatei &apos;%1&apos; kann nicht geöffnet werden. 
&apos;%2&apos;</translation>
    </message>
    <message>
        <source>Unable to run sql statement
&apos;%1&apos;.
&apos;%2&apos;</source>
        <translation>Die SQL-Anweisung kann nicht ausgeführt werden:
&apos;%1&apos;.
&apos;%2&apos;</translation>
    </message>
    <message>
        <source>The folder of the log file &apos;%1&apos; cannot be written. The logs shown may be incomplete.</source>
        <translation>Der Ordner der Log-Datei &apos;%1&apos; kann nicht beschrieben werden. Die angezeigten Logs sind möglicherweise unvollständig.</translation>
    </message>
    <message>
        <source>Unable to delete records. 
&apos;%2&apos;</source>
        <translation>Die Einträge können nicht gelöscht werden. 
&apos;%2&apos;</translation>
    </message>
    <message>
        <source>The log database &apos;%1&apos; is damaged: logged values may be missing from what is shown. Start tolVane-Vozudoz again to have it checked.
&apos;%2&apos;</source>
        <translation>Die Log-Datenbank &apos;%1&apos; ist beschädigt: In der Anzeige fehlen möglicherweise geloggte Werte. Starten Sie tolVane-Vozudoz neu, um sie prüfen zu lassen.
&apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>CDBImportData</name>
    <message>
        <source>Unknown file format of CSV file.</source>
        <translation>Unbekanntes Format der CSV-Datei.</translation>
    </message>
    <message>
        <source>Unknown column &apos;%1&apos;</source>
        <translation>Unbekannte Spalte &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The import data seem to have only %1 rows. A minimum of 3 rows is required.</source>
        <translation>Die Importdaten scheinen nur %1 Zeilen zu enthalten. Es werden mindestens 3 Zeilen benötigt.</translation>
    </message>
    <message>
        <source>Writing data into database...</source>
        <translation>Daten werden in die Datenbank geschrieben...</translation>
    </message>
    <message>
        <source>Error on preparing the SQL statement: &apos;%1&apos;</source>
        <translation>Fehler beim Vorbereiten der SQL-Anweisung: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The time stamp &apos;%1&apos; in data row %2 is not valid. Nothing has been imported.</source>
        <translation>Der Zeitstempel &apos;%1&apos; in Datenzeile %2 ist ungültig. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Error on inserting an SQL record: &apos;%1&apos;</source>
        <translation>Fehler beim Einfügen eines SQL-Datensatzes: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The value &apos;%1&apos; in data row %2, column &apos;%3&apos; is not valid. Nothing has been imported.</source>
        <translation>Der Wert &apos;%1&apos; in Datenzeile %2, Spalte &apos;%3&apos; ist ungültig. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Data row %1 has a value in column %2, which has no header. Nothing has been imported.</source>
        <translation>Datenzeile %1 hat einen Wert in Spalte %2, die keine Überschrift hat. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Data row %1 has no value in column &apos;%2&apos;. Nothing has been imported.</source>
        <translation>Datenzeile %1 hat keinen Wert in Spalte &apos;%2&apos;. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The time stamp &apos;%1&apos; in data row %2 does not exist in this computer&apos;s time zone. Nothing has been imported.</source>
        <translation>Der Zeitstempel &apos;%1&apos; in Datenzeile %2 existiert in der Zeitzone dieses Computers nicht. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Data rows %1 and %2 would be stored for the same unit and time but hold different values. Nothing has been imported.</source>
        <translation>Die Datenzeilen %1 und %2 würden für dasselbe Gerät und dieselbe Zeit gespeichert, haben aber verschiedene Werte. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The header row is longer than a log file&apos;s row can be (more than %1 fields or %2 characters). Nothing has been imported.</source>
        <translation>Die Kopfzeile ist länger, als eine Zeile einer Log-Datei sein kann (mehr als %1 Felder oder %2 Zeichen). Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Data row %1 is longer than a log file&apos;s row can be (more than %2 fields or %3 characters). Nothing has been imported.</source>
        <translation>Datenzeile %1 ist länger, als eine Zeile einer Log-Datei sein kann (mehr als %2 Felder oder %3 Zeichen). Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The columns of the file are those of 1/4 hour, day or month values, but its first two rows are only %1 seconds apart. Nothing has been imported.</source>
        <translation>Die Spalten der Datei sind die von 1/4-Stunden-, Tages- oder Monats-Werten, aber ihre ersten beiden Zeilen liegen nur %1 Sekunden auseinander. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The time stamp &apos;%1&apos; in data row %2 lies outside the times a log can hold (01.01.1970 00:00:00 to 07.02.2106 06:28:15 UTC). Nothing has been imported.</source>
        <translation>Der Zeitstempel &apos;%1&apos; in Datenzeile %2 liegt außerhalb der Zeiten, die ein Log aufnehmen kann (01.01.1970 00:00:00 bis 07.02.2106 06:28:15 UTC). Es wurde nichts importiert.</translation>
    </message>
</context>
<context>
    <name>CDeleteDlg</name>
    <message>
        <source>Delete Log Data</source>
        <translation>Log-Daten löschen</translation>
    </message>
    <message>
        <source>Please select the desired option.</source>
        <translation>Bitte wählen Sie die gewünschte Option.</translation>
    </message>
    <message>
        <source>Delete data of the current selection.</source>
        <translation>Daten der aktuellen Auswahl löschen.</translation>
    </message>
    <message>
        <source>All data which have no serial number, will be deleted.</source>
        <translation>Alle Daten ohne Seriennummer werden gelöscht.</translation>
    </message>
    <message>
        <source>Delete all data.</source>
        <translation>Alle Daten löschen.</translation>
    </message>
    <message>
        <source>Deletes all stored data of tolVane-Vozudoz.</source>
        <translation>Löscht alle von tolVane-Vozudoz gespeicherten Daten.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delete data for the selected serial number.</source>
        <translation>Daten der gewählten Seriennummer löschen.</translation>
    </message>
    <message>
        <source>All data, which originate from the tolVane device with serial number %1 will be deleted.</source>
        <translation>Alle Daten, die vom tolVane-Gerät mit der Seriennummer %1 stammen, werden gelöscht.</translation>
    </message>
</context>
<context>
    <name>CDetailedInfoTab</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source> Parameter</source>
        <translation> Parameter</translation>
    </message>
    <message>
        <source>*Operation mode:</source>
        <translation>*Betriebsmodus:</translation>
    </message>
    <message>
        <source>*(OM)</source>
        <translation>*(BM)</translation>
    </message>
    <message>
        <source>*Comfort level: </source>
        <translation>*Komfort-Level: </translation>
    </message>
    <message>
        <source>*(CL)</source>
        <translation>*(KL)</translation>
    </message>
    <message>
        <source>*Operation hours:</source>
        <translation>*Betriebsstunden:</translation>
    </message>
    <message>
        <source>*(OPH)</source>
        <translation>*(BST)</translation>
    </message>
    <message>
        <source>*Filter hours:</source>
        <translation>*Filterstunden:</translation>
    </message>
    <message>
        <source>*(FIH)</source>
        <translation>*(FST)</translation>
    </message>
    <message>
        <source>*Deicing Mode</source>
        <translation>*Enteisung</translation>
    </message>
    <message>
        <source>*(DEI)</source>
        <translation>*(ENT)</translation>
    </message>
    <message>
        <source>*Room area (min. ventilation):</source>
        <translation>*Raumfläche (Minimallüftung):</translation>
    </message>
    <message>
        <source>*(RA)</source>
        <translation>*(RF)</translation>
    </message>
    <message>
        <source>*m²</source>
        <translation>*m²</translation>
    </message>
    <message>
        <source>*Max. 2nd room extract:</source>
        <translation>*Max. Abluft Zweitraum:</translation>
    </message>
    <message>
        <source>*(2EX)</source>
        <translation>*(ZA)</translation>
    </message>
    <message>
        <source>*m³/h</source>
        <translation>*m³/h</translation>
    </message>
    <message>
        <source>*Fan speed supply:</source>
        <translation>*Lüftergeschw. Zuluft:</translation>
    </message>
    <message>
        <source>*(FSS)</source>
        <translation>*(LGZ)</translation>
    </message>
    <message>
        <source>*1/min</source>
        <translation>*1/min</translation>
    </message>
    <message>
        <source>*Fan speed extract:</source>
        <translation>*Lüftergeschw. Abluft:</translation>
    </message>
    <message>
        <source>*(FSE)</source>
        <translation>*(LGA)</translation>
    </message>
    <message>
        <source>*Software-Version:</source>
        <translation>*Software-Version:</translation>
    </message>
    <message>
        <source>*(SWV)</source>
        <translation>*(SWV)</translation>
    </message>
    <message>
        <source>*Board-Version:</source>
        <translation>*Platinen-Version:</translation>
    </message>
    <message>
        <source>*(BOV)</source>
        <translation>*(PLV)</translation>
    </message>
    <message>
        <source>*Serial number:</source>
        <translation>*Seriennummer:</translation>
    </message>
    <message>
        <source>*(SNR)</source>
        <translation>*(SNR)</translation>
    </message>
    <message>
        <source>*Program</source>
        <translation>*Programm</translation>
    </message>
    <message>
        <source>*Minimum ventilation</source>
        <translation>*Minimallüftung</translation>
    </message>
    <message>
        <source>*(MV)</source>
        <translation>*(mlf)</translation>
    </message>
    <message>
        <source>*Relative humidity reduction</source>
        <translation>*Relative Entfeuchtung</translation>
    </message>
    <message>
        <source>*(RHR)</source>
        <translation>*(efr)</translation>
    </message>
    <message>
        <source>*Absolute  humidity reduction</source>
        <translation>*Absolute  Entfeuchtung</translation>
    </message>
    <message>
        <source>*(AHR)</source>
        <translation>*(efa)</translation>
    </message>
    <message>
        <source>*Cooling</source>
        <translation>*Kühlung</translation>
    </message>
    <message>
        <source>*(COO)</source>
        <translation>*(khl)</translation>
    </message>
    <message>
        <source>*CO2 ventilation</source>
        <translation>*CO2-Lüftung</translation>
    </message>
    <message>
        <source>*(CO2)</source>
        <translation>*(co2)</translation>
    </message>
    <message>
        <source>*Reduction (mini)</source>
        <translation>*Reduzierung (mini)</translation>
    </message>
    <message>
        <source>*Defrosting</source>
        <translation>*Abtauen</translation>
    </message>
    <message>
        <source>*(dfr)</source>
        <translation>*(abt)</translation>
    </message>
    <message>
        <source>*Humidity insertion</source>
        <translation>*Feuchteeintrag</translation>
    </message>
    <message>
        <source>*(hin)</source>
        <translation>*(fei)</translation>
    </message>
    <message>
        <source>*Output temperature below -22°C</source>
        <translation>*Außenluft unter -22°C</translation>
    </message>
    <message>
        <source>*(otb)</source>
        <translation>*(alk)</translation>
    </message>
    <message>
        <source>*Water insertion</source>
        <translation>*Wassereintrag</translation>
    </message>
    <message>
        <source>*(wat)</source>
        <translation>*(wei)</translation>
    </message>
</context>
<context>
    <name>CDetailedInfoTab70</name>
    <message>
        <source>Fan Speed</source>
        <translation>Lüftergeschwindigkeit</translation>
    </message>
    <message>
        <source>(FS)</source>
        <translation>(LG)</translation>
    </message>
    <message>
        <source>CO2 Input</source>
        <translation>CO2-Eintrag</translation>
    </message>
    <message>
        <source>(CO2in)</source>
        <translation>(CO2ein)</translation>
    </message>
</context>
<context>
    <name>CGraphicsCurvePicker</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Available values</source>
        <translation>Verfügbare Werte</translation>
    </message>
    <message>
        <source>Selected values</source>
        <translation>Ausgewählte Werte</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>U</source>
        <translation>E</translation>
    </message>
    <message>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <source>C</source>
        <translation>K</translation>
    </message>
</context>
<context>
    <name>CGraphicsTab</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Mouse wheel:   Adjust time span              Mouse click, hold and move:   Scroll diagram</source>
        <translation>Mausrad:   Zeitspanne einstellen              Maustaste gedrückt halten und bewegen:   Diagramm verschieben</translation>
    </message>
    <message>
        <source>Scale the diagram so that all values are displayed. </source>
        <translation>Das Diagramm so skalieren, dass alle Werte angezeigt werden. </translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Save diagram...</source>
        <translation>Diagramm speichern...</translation>
    </message>
    <message>
        <source>Values to display</source>
        <translation>Angezeigte Werte</translation>
    </message>
    <message>
        <source>Minute values</source>
        <translation>Minuten-Werte</translation>
    </message>
    <message>
        <source>1/4 Hour values</source>
        <translation>1/4-Stunden-Werte</translation>
    </message>
    <message>
        <source>Day values</source>
        <translation>Tages-Werte</translation>
    </message>
    <message>
        <source>Month values</source>
        <translation>Monats-Werte</translation>
    </message>
    <message>
        <source>Diagrams</source>
        <translation>Diagramme</translation>
    </message>
    <message>
        <source>PNG files (*.png)</source>
        <translation>PNG-Dateien (*.png)</translation>
    </message>
    <message>
        <source>JPEG files (*.jpg)</source>
        <translation>JPEG-Dateien (*.jpg)</translation>
    </message>
    <message>
        <source>Any files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>File name for Diagram</source>
        <translation>Dateiname für das Diagramm</translation>
    </message>
    <message>
        <source>Unable to export diagram into file &apos;%1&apos;.</source>
        <translation>Das Diagramm kann nicht in die Datei &apos;%1&apos; exportiert werden.</translation>
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
    <name>CMainWindow</name>
    <message>
        <source>%1 minute rows could not be written to the database and are lost.</source>
        <translation>%1 Minutenwerte konnten nicht in die Datenbank geschrieben werden und gehen verloren.</translation>
    </message>
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
        <source>Unable to open file &apos;%1&apos;.
%2</source>
        <translation>Die Datei &apos;%1&apos; kann nicht geöffnet werden.
%2</translation>
    </message>
    <message>
        <source>Unable to write file &apos;%1&apos;.
%2</source>
        <translation>Die Datei &apos;%1&apos; kann nicht geschrieben werden.
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
        <source>Retrieve data of &apos;%1&apos; from the tolVane device?</source>
        <translation>Daten &apos;%1&apos; vom tolVane-Gerät abrufen?</translation>
    </message>
    <message>
        <source>%1 %p%</source>
        <translation>%1 %p%</translation>
    </message>
    <message>
        <source>There are currently no &apos;%1&apos; records stored on the tolVane device.</source>
        <translation>Auf dem tolVane-Gerät sind zur Zeit keine Einträge &apos;%1&apos; gespeichert.</translation>
    </message>
    <message>
        <source>Communication error while retrieving &apos;%1&apos; records from the tolVane device.</source>
        <translation>Kommunikationsfehler beim Abrufen der Einträge &apos;%1&apos; vom tolVane-Gerät.</translation>
    </message>
    <message>
        <source>Unable to store the &apos;%1&apos; records retrieved from the tolVane device in the database: %2 of %3 entries were stored.</source>
        <translation>Die vom tolVane-Gerät abgerufenen Einträge &apos;%1&apos; konnten nicht in der Datenbank gespeichert werden: %2 von %3 Einträgen wurden gespeichert.</translation>
    </message>
    <message>
        <source>Delete all data of the %1 without a serial number?</source>
        <translation>Alle Daten des %1 ohne Seriennummer löschen?</translation>
    </message>
    <message>
        <source>Delete all data of the %1 with serial number %2?</source>
        <translation>Alle Daten des %1 mit der Seriennummer %2 löschen?</translation>
    </message>
    <message>
        <source>Delete all data?</source>
        <translation>Alle Daten löschen?</translation>
    </message>
    <message>
        <source>File name for exporting &apos;%1&apos;</source>
        <translation>Dateiname für den Export von &apos;%1&apos;</translation>
    </message>
    <message>
        <source>File name to import</source>
        <translation>Dateiname für den Import</translation>
    </message>
    <message>
        <source>Reading CSV file &apos;%1&apos;...</source>
        <translation>CSV-Datei &apos;%1&apos; wird gelesen...</translation>
    </message>
    <message>
        <source>Exporting &apos;%1&apos;...</source>
        <translation>&apos;%1&apos; wird exportiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>Keine reguläre Datei.</translation>
    </message>
</context>
<context>
    <name>CMinuteLogDBBase</name>
    <message>
        <source>Unable to write the minute values to the log database.
&apos;%1&apos;</source>
        <translation>Die Minutenwerte können nicht in die Log-Datenbank geschrieben werden.
&apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>CMinuteLogTab</name>
    <message>
        <source>The &apos;%1&apos; are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed automatically.</source>
        <translation>Die &apos;%1&apos; werden von tolVane-Vozudoz abgerufen, solange es läuft. Sie werden automatisch gespeichert und angezeigt.</translation>
    </message>
    <message>
        <source>Minute values of:</source>
        <translation>Minuten-Werte vom:</translation>
    </message>
</context>
<context>
    <name>COverviewScene</name>
    <message>
        <source>Outdoor</source>
        <translation>Außenluft</translation>
    </message>
    <message>
        <source>Exhaust</source>
        <translation>Fortluft</translation>
    </message>
    <message>
        <source>2nd room</source>
        <translation>Zweitraum</translation>
    </message>
    <message>
        <source>Heat</source>
        <translation>Wärme-</translation>
    </message>
    <message>
        <source>recovery</source>
        <translation>rückgewinnung</translation>
    </message>
    <message>
        <source>Extract</source>
        <translation>Abluft</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation>WiFi</translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation>Feuchte</translation>
    </message>
    <message>
        <source>CO2</source>
        <translation>CO2</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Zuluft</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Cooling</source>
        <translation>Kühl-</translation>
    </message>
    <message>
        <source>power</source>
        <translation>leistung</translation>
    </message>
    <message>
        <source>Chill</source>
        <translation>Kälte-</translation>
    </message>
</context>
<context>
    <name>COverviewScene70</name>
    <message>
        <source>Preferred Room (Bedroom)</source>
        <translation>Vorzugsraum (Schlafzimmer)</translation>
    </message>
    <message>
        <source>Outdoor Air Room (Floor)</source>
        <translation>Außenluftraum (Flur)</translation>
    </message>
    <message>
        <source>Extract</source>
        <translation>Abluft</translation>
    </message>
    <message>
        <source>VOC</source>
        <translation>VOC</translation>
    </message>
    <message>
        <source>(AQE)</source>
        <translation>(LQA)</translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation>Feuchte</translation>
    </message>
    <message>
        <source>VOC Difference</source>
        <translation>VOC-Differenz</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Zuluft</translation>
    </message>
    <message>
        <source>(HSU)</source>
        <translation>(FZU)</translation>
    </message>
    <message>
        <source>(AQS)</source>
        <translation>(LQZ)</translation>
    </message>
</context>
<context>
    <name>COverviewSceneBase</name>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
</context>
<context>
    <name>CSecLogTab</name>
    <message>
        <source>The &apos;%1&apos; are stored on the tolVane. Click the button &apos;Retrieve log data&apos; in order to load (or refresh) and display them.</source>
        <translation>Die &apos;%1&apos; sind auf dem tolVane gespeichert. Klicken Sie auf die Schaltfläche &apos;Log-Daten abrufen&apos;, um sie zu laden (oder zu aktualisieren) und anzuzeigen.</translation>
    </message>
</context>
<context>
    <name>CSerialNrDlg</name>
    <message>
        <source>Import CSV file</source>
        <translation>CSV-Datei importieren</translation>
    </message>
    <message>
        <source>There is no serial number provided in the CSV data. 
You may enter the serial number now or choose to import the data withour a serial number.</source>
        <translation>Die CSV-Daten enthalten keine Seriennummer. 
Sie können die Seriennummer jetzt eingeben oder die Daten ohne Seriennummer importieren.</translation>
    </message>
    <message>
        <source>Assign the data to a serial number</source>
        <translation>Daten einer Seriennummer zuordnen</translation>
    </message>
    <message>
        <source>Imports the data and assigns them to the serial number you have to enter here.</source>
        <translation>Importiert die Daten und ordnet sie der Seriennummer zu, die Sie hier eingeben.</translation>
    </message>
    <message>
        <source>Import without serial number</source>
        <translation>Ohne Seriennummer importieren</translation>
    </message>
    <message>
        <source>The imported data will not be assigned to a serial number.</source>
        <translation>Die importierten Daten werden keiner Seriennummer zugeordnet.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Do not import.</source>
        <translation>Nicht importieren.</translation>
    </message>
    <message>
        <source>Please enter a valid serial number.</source>
        <translation>Bitte geben Sie eine gültige Seriennummer ein.</translation>
    </message>
</context>
<context>
    <name>CServiceTab</name>
    <message>
        <source>The &apos;%1&apos; is stored on the tolVane. Click the button &apos;Retrieve log data&apos; in order to load (or refresh) and display them.</source>
        <translation>Die &apos;%1&apos; sind auf dem tolVane gespeichert. Klicken Sie auf die Schaltfläche &apos;Log-Daten abrufen&apos;, um sie zu laden (oder zu aktualisieren) und anzuzeigen.</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
</context>
<context>
    <name>CWLANTab</name>
    <message>
        <source>Update Data</source>
        <translation>Daten übertragen</translation>
    </message>
    <message>
        <source>Delete WLAN-Data</source>
        <translation>WLAN-Daten löschen</translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation>WiFi</translation>
    </message>
    <message>
        <source>WiFi(WLAN) Name: </source>
        <translation>WiFi(WLAN)-Name: </translation>
    </message>
    <message>
        <source>WiFi(WLAN) Password: </source>
        <translation>WiFi(WLAN)-Passwort: </translation>
    </message>
    <message>
        <source>Activates WiFi transmitter</source>
        <translation>Aktiviert den WiFi-Sender</translation>
    </message>
    <message>
        <source>tolVane</source>
        <translation>tolVane</translation>
    </message>
    <message>
        <source>tolVane Serial Number:</source>
        <translation>tolVane-Seriennummer:</translation>
    </message>
    <message>
        <source>tolVane Password:</source>
        <translation>tolVane-Passwort:</translation>
    </message>
    <message>
        <source>tolVane Name:</source>
        <translation>tolVane-Name:</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Email 1 for error messages:</source>
        <translation>E-Mail 1 für Fehlermeldungen:</translation>
    </message>
    <message>
        <source>Email 2 for error messages:</source>
        <translation>E-Mail 2 für Fehlermeldungen:</translation>
    </message>
    <message>
        <source>Dravlin</source>
        <translation>Dravlin</translation>
    </message>
    <message>
        <source>(optional)</source>
        <translation>(optional)</translation>
    </message>
    <message>
        <source>IP-Address: </source>
        <translation>IP-Adresse: </translation>
    </message>
    <message>
        <source>Help:</source>
        <translation>Hilfe:</translation>
    </message>
    <message>
        <source>App:</source>
        <translation>App:</translation>
    </message>
    <message>
        <source>IP-Adress Error</source>
        <translation>Fehler in der IP-Adresse</translation>
    </message>
    <message>
        <source>The IP-Adress is out of scope.</source>
        <translation>Die IP-Adresse liegt außerhalb des gültigen Bereichs.</translation>
    </message>
    <message>
        <source>tolVane Credentials too Short</source>
        <translation>tolVane-Zugangsdaten zu kurz</translation>
    </message>
    <message>
        <source>The tolVane password is too short!</source>
        <translation>Das tolVane-Passwort ist zu kurz!</translation>
    </message>
    <message>
        <source>WiFi Credentials too Long</source>
        <translation>WiFi-Zugangsdaten zu lang</translation>
    </message>
    <message>
        <source>The name of the WiFi is too long!</source>
        <translation>Der Name des WiFi-Netzes ist zu lang!</translation>
    </message>
    <message>
        <source>The password of the WiFi is too long!</source>
        <translation>Das Passwort des WiFi-Netzes ist zu lang!</translation>
    </message>
    <message>
        <source>tolVane Credentials too Long</source>
        <translation>tolVane-Zugangsdaten zu lang</translation>
    </message>
    <message>
        <source>The tolVane password is too long!</source>
        <translation>Das tolVane-Passwort ist zu lang!</translation>
    </message>
    <message>
        <source>tolVane Passwort Syntax Wrong</source>
        <translation>tolVane-Passwort ungültig</translation>
    </message>
    <message>
        <source>Please avoid special characters!</source>
        <translation>Bitte verwenden Sie keine Sonderzeichen!</translation>
    </message>
    <message>
        <source>The name of the tolVane is too long!</source>
        <translation>Der Name des tolVane ist zu lang!</translation>
    </message>
    <message>
        <source>Email too Long</source>
        <translation>E-Mail-Adresse zu lang</translation>
    </message>
    <message>
        <source>The first e-mail address for error messages is too long!</source>
        <translation>Die erste E-Mail-Adresse für Fehlermeldungen ist zu lang!</translation>
    </message>
    <message>
        <source>The second e-mail address for error messages is too long!</source>
        <translation>Die zweite E-Mail-Adresse für Fehlermeldungen ist zu lang!</translation>
    </message>
    <message>
        <source>Email Syntax Error</source>
        <translation>Ungültige E-Mail-Adresse</translation>
    </message>
    <message>
        <source>The first e-mail address for error messages has an invalid syntax!</source>
        <translation>Die erste E-Mail-Adresse für Fehlermeldungen ist ungültig!</translation>
    </message>
    <message>
        <source>The second e-mail address for error messages has an invalid syntax!</source>
        <translation>Die zweite E-Mail-Adresse für Fehlermeldungen ist ungültig!</translation>
    </message>
    <message>
        <source>Activate WiFi?</source>
        <translation>WiFi aktivieren?</translation>
    </message>
    <message>
        <source>If you activate the WiFi function now you must inform residents that the WiFi data could be used to conclude to their presence or absence.</source>
        <translation>Wenn Sie die WiFi-Funktion jetzt aktivieren, müssen Sie die Bewohner darauf hinweisen, dass aus den WiFi-Daten auf ihre An- oder Abwesenheit geschlossen werden könnte.</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolgreich</translation>
    </message>
    <message>
        <source>The data has been transferred successfully.</source>
        <translation>Die Daten wurden erfolgreich übertragen.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>There was an error when transferring the data.</source>
        <translation>Beim Übertragen der Daten ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>WiFi-data has been successfully deleted.</source>
        <translation>Die WiFi-Daten wurden erfolgreich gelöscht.</translation>
    </message>
    <message>
        <source>There was an error when deleting the WiFi-data.</source>
        <translation>Beim Löschen der WiFi-Daten ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Character not Supported</source>
        <translation>Zeichen nicht unterstützt</translation>
    </message>
    <message>
        <source>The name of the WiFi contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation>Der Name des WiFi-Netzes enthält das Zeichen „%1“, das nicht übertragen werden kann!</translation>
    </message>
    <message>
        <source>The password of the WiFi contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation>Das Passwort des WiFi-Netzes enthält das Zeichen „%1“, das nicht übertragen werden kann!</translation>
    </message>
    <message>
        <source>The tolVane password contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation>Das tolVane-Passwort enthält das Zeichen „%1“, das nicht übertragen werden kann!</translation>
    </message>
    <message>
        <source>The name of the tolVane contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation>Der Name des tolVane enthält das Zeichen „%1“, das nicht übertragen werden kann!</translation>
    </message>
    <message>
        <source>The first e-mail address for error messages contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation>Die erste E-Mail-Adresse für Fehlermeldungen enthält das Zeichen „%1“, das nicht übertragen werden kann!</translation>
    </message>
    <message>
        <source>The second e-mail address for error messages contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation>Die zweite E-Mail-Adresse für Fehlermeldungen enthält das Zeichen „%1“, das nicht übertragen werden kann!</translation>
    </message>
    <message>
        <source>Entries not Saved</source>
        <translation>Eingaben nicht gespeichert</translation>
    </message>
    <message>
        <source>The entries could not be saved in the settings file &apos;%1&apos;. The next start shows the entries saved before.</source>
        <translation>Die Eingaben konnten nicht in der Einstellungsdatei „%1“ gespeichert werden. Beim nächsten Start erscheinen die zuvor gespeicherten Eingaben.</translation>
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
        <source>The settings could not be read. The file was kept as &apos;%1&apos;; the default settings are used.</source>
        <translation>Die Einstellungen konnten nicht gelesen werden. Die Datei wurde als &apos;%1&apos; aufbewahrt; es gelten die Standardeinstellungen.</translation>
    </message>
    <message>
        <source>Unable to load translations for locale &apos;%1&apos;.</source>
        <translation>Die Übersetzungen für die Sprache &apos;%1&apos; können nicht geladen werden.</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; exists alrady. Do you want to overwrite it?</source>
        <translation>Die Datei &apos;%1&apos; existiert bereits. Möchten Sie sie überschreiben?</translation>
    </message>
    <message>
        <source>The log database &apos;%1&apos; is damaged and cannot be renamed: %2</source>
        <translation>Die Log-Datenbank &apos;%1&apos; ist beschädigt und kann nicht umbenannt werden: %2</translation>
    </message>
    <message>
        <source>The log database &apos;%1&apos; is damaged. It was kept as &apos;%2&apos;; a new log database is used.</source>
        <translation>Die Log-Datenbank &apos;%1&apos; ist beschädigt. Sie wurde als &apos;%2&apos; aufbewahrt; eine neue Log-Datenbank wird verwendet.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read. It was kept as &apos;%2&apos;.</source>
        <translation>Die Einstellungsdatei &apos;%1&apos; konnte nicht gelesen werden. Sie wurde als &apos;%2&apos; aufbewahrt.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read, nor renamed.</source>
        <translation>Die Einstellungsdatei &apos;%1&apos; konnte weder gelesen noch umbenannt werden.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; is not a regular file.</source>
        <translation>Die Einstellungsdatei &apos;%1&apos; ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read within %2 seconds.</source>
        <translation>Die Einstellungsdatei &apos;%1&apos; konnte nicht innerhalb von %2 Sekunden gelesen werden.</translation>
    </message>
    <message>
        <source>In this run only the program&apos;s own settings file is read; every organisation-wide and system-wide settings file is left out.</source>
        <translation>Bei diesem Start wird nur die eigene Einstellungsdatei des Programms gelesen; alle Einstellungsdateien der Organisation und des Systems bleiben unberücksichtigt.</translation>
    </message>
    <message>
        <source>In this run no settings file is read: the default settings are used, and settings changed now are not kept.</source>
        <translation>Bei diesem Start wird keine Einstellungsdatei gelesen: Es gelten die Standardeinstellungen, und jetzt geänderte Einstellungen werden nicht gespeichert.</translation>
    </message>
</context>
</TS>
