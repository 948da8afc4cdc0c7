<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>About tolVane-Vozudoz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;tolVane-Vozudoz    %1&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;Web:   &lt;/span&gt; &lt;a href=&quot;https://www.quorvanix.example&quot;&gt;&lt;span style=&quot; font-size:14pt; text-decoration: underline; color:#0000ff;&quot;&gt;https://www.quorvanix.example&lt;/span&gt;&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt; font-weight:600;&quot;&gt;e-mail:&lt;/span&gt; &lt;a href=&quot;mailto:info@quorvanix.example&quot;&gt;&lt;span style=&quot; font-size:14pt; text-decoration: underline; color:#0000ff;&quot;&gt;info@quorvanix.example&lt;/span&gt;&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>© Quorvanix. All rights reserved.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to run sql statement
&apos;%1&apos;.
&apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder of the log file &apos;%1&apos; cannot be written. The logs shown may be incomplete.</source>
        <translation>The folder of the log file &apos;%1&apos; cannot be written. The logs shown may be incomplete.</translation>
    </message>
    <message>
        <source>Unable to delete records. 
&apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The log database &apos;%1&apos; is damaged: logged values may be missing from what is shown. Start tolVane-Vozudoz again to have it checked.
&apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDBImportData</name>
    <message>
        <source>Unknown file format of CSV file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown column &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import data seem to have only %1 rows. A minimum of 3 rows is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing data into database...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error on preparing the SQL statement: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The time stamp &apos;%1&apos; in data row %2 is not valid. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error on inserting an SQL record: &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value &apos;%1&apos; in data row %2, column &apos;%3&apos; is not valid. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data row %1 has a value in column %2, which has no header. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data row %1 has no value in column &apos;%2&apos;. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The time stamp &apos;%1&apos; in data row %2 does not exist in this computer&apos;s time zone. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data rows %1 and %2 would be stored for the same unit and time but hold different values. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header row is longer than a log file&apos;s row can be (more than %1 fields or %2 characters). Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data row %1 is longer than a log file&apos;s row can be (more than %2 fields or %3 characters). Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The columns of the file are those of 1/4 hour, day or month values, but its first two rows are only %1 seconds apart. Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The time stamp &apos;%1&apos; in data row %2 lies outside the times a log can hold (01.01.1970 00:00:00 to 07.02.2106 06:28:15 UTC). Nothing has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeleteDlg</name>
    <message>
        <source>Delete Log Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select the desired option.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete data of the current selection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All data which have no serial number, will be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete all data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deletes all stored data of tolVane-Vozudoz.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete data for the selected serial number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All data, which originate from the tolVane device with serial number %1 will be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDetailedInfoTab</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source> Parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Operation mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(OM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Comfort level: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(CL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Operation hours:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(OPH)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Filter hours:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(FIH)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Deicing Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(DEI)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Room area (min. ventilation):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(RA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*m²</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Max. 2nd room extract:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(2EX)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*m³/h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Fan speed supply:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(FSS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*1/min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Fan speed extract:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(FSE)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Software-Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(SWV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Board-Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(BOV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Serial number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(SNR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Minimum ventilation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(MV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Relative humidity reduction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(RHR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Absolute  humidity reduction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(AHR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Cooling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(COO)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*CO2 ventilation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(CO2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Reduction (mini)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Defrosting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(dfr)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Humidity insertion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(hin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Output temperature below -22°C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(otb)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Water insertion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*(wat)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDetailedInfoTab70</name>
    <message>
        <source>Fan Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(FS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CO2 Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(CO2in)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphicsCurvePicker</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Available values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphicsTab</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Mouse wheel:   Adjust time span              Mouse click, hold and move:   Scroll diagram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scale the diagram so that all values are displayed. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished">...</translation>
    </message>
    <message>
        <source>Save diagram...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Values to display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minute values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/4 Hour values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diagrams</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG files (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG files (*.jpg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Any files (*.*)</source>
        <translation type="unfinished">Any files (*.*)</translation>
    </message>
    <message>
        <source>File name for Diagram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to export diagram into file &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CLogTabBase</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Explanation goes here</source>
        <translation>Explanation goes here</translation>
    </message>
</context>
<context>
    <name>CMainWindow</name>
    <message>
        <source>%1 minute rows could not be written to the database and are lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane-Vozudoz</source>
        <translation>tolVane-Vozudoz</translation>
    </message>
    <message>
        <source>Displays information about this application.</source>
        <translation>Displays information about this application.</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Retrieve log data. Fills the current tab page with the log data stored on the tolVane.</source>
        <translation>Retrieve log data. Fills the current tab page with the log data stored on the tolVane.</translation>
    </message>
    <message>
        <source>Exports the log data of the current tab page into a file.</source>
        <translation>Exports the log data of the current tab page into a file.</translation>
    </message>
    <message>
        <source>Imports log data from a file.</source>
        <translation>Imports log data from a file.</translation>
    </message>
    <message>
        <source>Deletes all or some data.</source>
        <translation>Deletes all or some data.</translation>
    </message>
    <message>
        <source>Serial number: </source>
        <translation>Serial number: </translation>
    </message>
    <message>
        <source>Select the serial number for which the data should be displayed.</source>
        <translation>Select the serial number for which the data should be displayed.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select the serial number for which the data should be displayed, if no device is connected.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select the serial number for which the data should be displayed, if no device is connected.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p%</translation>
    </message>
    <message>
        <source>connection:</source>
        <translation>connection:</translation>
    </message>
    <message>
        <source>Displays the connection status.</source>
        <translation>Displays the connection status.</translation>
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
        <translation>Displays the status of the tolVane100.</translation>
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
        <translation>communication error</translation>
    </message>
    <message>
        <source>waiting for response</source>
        <translation>waiting for response</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>Text files for Excel (*.csv)</source>
        <translation>Text files for Excel (*.csv)</translation>
    </message>
    <message>
        <source>Any files (*.*)</source>
        <translation>Any files (*.*)</translation>
    </message>
    <message>
        <source>Unable to open file &apos;%1&apos;.
%2</source>
        <translation>Unable to open file &apos;%1&apos;.
%2</translation>
    </message>
    <message>
        <source>Unable to write file &apos;%1&apos;.
%2</source>
        <translation>Unable to write file &apos;%1&apos;.
%2</translation>
    </message>
    <message>
        <source>This function is only available for the tab pages %1, %2, %3 and %4. </source>
        <translation>This function is only available for the tab pages %1, %2, %3 and %4. </translation>
    </message>
    <message>
        <source>This function is only available for the tab pages %1, %2, %3, %4 and %5. </source>
        <translation>This function is only available for the tab pages %1, %2, %3, %4 and %5. </translation>
    </message>
    <message>
        <source>Retrieve data of &apos;%1&apos; from the tolVane device?</source>
        <translation>Retrieve data of &apos;%1&apos; from the tolVane device?</translation>
    </message>
    <message>
        <source>%1 %p%</source>
        <translation>%1 %p%</translation>
    </message>
    <message>
        <source>There are currently no &apos;%1&apos; records stored on the tolVane device.</source>
        <translation>There are currently no &apos;%1&apos; records stored on the tolVane device.</translation>
    </message>
    <message>
        <source>Communication error while retrieving &apos;%1&apos; records from the tolVane device.</source>
        <translation>Communication error while retrieving &apos;%1&apos; records from the tolVane device.</translation>
    </message>
    <message>
        <source>Unable to store the &apos;%1&apos; records retrieved from the tolVane device in the database: %2 of %3 entries were stored.</source>
        <translation>Unable to store the &apos;%1&apos; records retrieved from the tolVane device in the database: %2 of %3 entries were stored.</translation>
    </message>
    <message>
        <source>Delete all data of the %1 without a serial number?</source>
        <translation>Delete all data of the %1 without a serial number?</translation>
    </message>
    <message>
        <source>Delete all data of the %1 with serial number %2?</source>
        <translation>Delete all data of the %1 with serial number %2?</translation>
    </message>
    <message>
        <source>Delete all data?</source>
        <translation>Delete all data?</translation>
    </message>
    <message>
        <source>File name for exporting &apos;%1&apos;</source>
        <translation>File name for exporting &apos;%1&apos;</translation>
    </message>
    <message>
        <source>File name to import</source>
        <translation>File name to import</translation>
    </message>
    <message>
        <source>Reading CSV file &apos;%1&apos;...</source>
        <translation>Reading CSV file &apos;%1&apos;...</translation>
    </message>
    <message>
        <source>Exporting &apos;%1&apos;...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMinuteLogDBBase</name>
    <message>
        <source>Unable to write the minute values to the log database.
&apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMinuteLogTab</name>
    <message>
        <source>The &apos;%1&apos; are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed automatically.</source>
        <translation>The &apos;%1&apos; are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed automatically.</translation>
    </message>
    <message>
        <source>Minute values of:</source>
        <translation>Minute values of:</translation>
    </message>
</context>
<context>
    <name>COverviewScene</name>
    <message>
        <source>Outdoor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exhaust</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2nd room</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recovery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extract</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CO2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cooling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chill</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>COverviewScene70</name>
    <message>
        <source>Preferred Room (Bedroom)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outdoor Air Room (Floor)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extract</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VOC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(AQE)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VOC Difference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(HSU)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(AQS)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>COverviewSceneBase</name>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSecLogTab</name>
    <message>
        <source>The &apos;%1&apos; are stored on the tolVane. Click the button &apos;Retrieve log data&apos; in order to load (or refresh) and display them.</source>
        <translation>The &apos;%1&apos; are stored on the tolVane. Click the button &apos;Retrieve log data&apos; in order to load (or refresh) and display them.</translation>
    </message>
</context>
<context>
    <name>CSerialNrDlg</name>
    <message>
        <source>Import CSV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no serial number provided in the CSV data. 
You may enter the serial number now or choose to import the data withour a serial number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Assign the data to a serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imports the data and assigns them to the serial number you have to enter here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import without serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The imported data will not be assigned to a serial number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not import.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a valid serial number.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CServiceTab</name>
    <message>
        <source>The &apos;%1&apos; is stored on the tolVane. Click the button &apos;Retrieve log data&apos; in order to load (or refresh) and display them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWLANTab</name>
    <message>
        <source>Update Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete WLAN-Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi(WLAN) Name: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi(WLAN) Password: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activates WiFi transmitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane Serial Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email 1 for error messages:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email 2 for error messages:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dravlin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP-Address: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP-Adress Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The IP-Adress is out of scope.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane Credentials too Short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tolVane password is too short!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi Credentials too Long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name of the WiFi is too long!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password of the WiFi is too long!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane Credentials too Long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tolVane password is too long!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tolVane Passwort Syntax Wrong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please avoid special characters!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name of the tolVane is too long!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email too Long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first e-mail address for error messages is too long!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The second e-mail address for error messages is too long!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email Syntax Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first e-mail address for error messages has an invalid syntax!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The second e-mail address for error messages has an invalid syntax!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate WiFi?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you activate the WiFi function now you must inform residents that the WiFi data could be used to conclude to their presence or absence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data has been transferred successfully.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was an error when transferring the data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi-data has been successfully deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was an error when deleting the WiFi-data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Character not Supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name of the WiFi contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password of the WiFi contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tolVane password contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name of the tolVane contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first e-mail address for error messages contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The second e-mail address for error messages contains the character &quot;%1&quot;, which cannot be transferred!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The entries could not be saved in the settings file &apos;%1&apos;. The next start shows the entries saved before.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>An instance of Update-tolVane or tolVane-Vozudoz is already running.
It is not possible to run more than one of those applications at the same time.</source>
        <translation>An instance of Update-tolVane or tolVane-Vozudoz is already running.
It is not possible to run more than one of those applications at the same time.</translation>
    </message>
    <message>
        <source>The settings could not be read. The file was kept as &apos;%1&apos;; the default settings are used.</source>
        <translation>The settings could not be read. The file was kept as &apos;%1&apos;; the default settings are used.</translation>
    </message>
    <message>
        <source>Unable to load translations for locale &apos;%1&apos;.</source>
        <translation>Unable to load translations for locale &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; exists alrady. Do you want to overwrite it?</source>
        <translation>The file &apos;%1&apos; exists alrady. Do you want to overwrite it?</translation>
    </message>
    <message>
        <source>The log database &apos;%1&apos; is damaged and cannot be renamed: %2</source>
        <translation>The log database &apos;%1&apos; is damaged and cannot be renamed: %2</translation>
    </message>
    <message>
        <source>The log database &apos;%1&apos; is damaged. It was kept as &apos;%2&apos;; a new log database is used.</source>
        <translation>The log database &apos;%1&apos; is damaged. It was kept as &apos;%2&apos;; a new log database is used.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read. It was kept as &apos;%2&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read, nor renamed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read within %2 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In this run only the program&apos;s own settings file is read; every organisation-wide and system-wide settings file is left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In this run no settings file is read: the default settings are used, and settings changed now are not kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
