<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CMainWindow</name>
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
        <source>Unable to open file '%1'.
%2</source>
        <translation>Unable to open file '%1'.
%2</translation>
    </message>
    <message>
        <source>Unable to write file '%1'.
%2</source>
        <translation>Unable to write file '%1'.
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
        <source>Retrieve data of '%1' from the tolVane device?</source>
        <translation>Retrieve data of '%1' from the tolVane device?</translation>
    </message>
    <message>
        <source>%1 %p%</source>
        <translation>%1 %p%</translation>
    </message>
    <message>
        <source>There are currently no '%1' records stored on the tolVane device.</source>
        <translation>There are currently no '%1' records stored on the tolVane device.</translation>
    </message>
    <message>
        <source>Communication error while retrieving '%1' records from the tolVane device.</source>
        <translation>Communication error while retrieving '%1' records from the tolVane device.</translation>
    </message>
    <message>
        <source>Delete all data which do not have a serial number?</source>
        <translation>Delete all data which do not have a serial number?</translation>
    </message>
    <message>
        <source>Delete all data with serial number %1?</source>
        <translation>Delete all data with serial number %1?</translation>
    </message>
    <message>
        <source>Delete all data?</source>
        <translation>Delete all data?</translation>
    </message>
    <message>
        <source>File name for exporting '%1'</source>
        <translation>File name for exporting '%1'</translation>
    </message>
    <message>
        <source>File name to import</source>
        <translation>File name to import</translation>
    </message>
    <message>
        <source>Reading CSV file '%1'...</source>
        <translation>Reading CSV file '%1'...</translation>
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
    <name>CMinuteLogTab</name>
    <message>
        <source>The '%1' are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed automatically.</source>
        <translation>The '%1' are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed automatically.</translation>
    </message>
    <message>
        <source>Minute values of:</source>
        <translation>Minute values of:</translation>
    </message>
</context>
<context>
    <name>CSecLogTab</name>
    <message>
        <source>The '%1' are stored on the tolVane. Click the button 'Retrieve log data' in order to load (or refresh) and display them.</source>
        <translation>The '%1' are stored on the tolVane. Click the button 'Retrieve log data' in order to load (or refresh) and display them.</translation>
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
        <translation>An instance of Update-tolVane or tolVane-Vozudoz is already running.
It is not possible to run more than one of those applications at the same time.</translation>
    </message>
    <message>
        <source>Unable to load translations for locale '%1'.</source>
        <translation>Unable to load translations for locale '%1'.</translation>
    </message>
    <message>
        <source>The file '%1' exists alrady. Do you want to overwrite it?</source>
        <translation>The file '%1' exists alrady. Do you want to overwrite it?</translation>
    </message>
</context>
</TS>
