<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CMainDialog</name>
    <message>
        <source>Quorvanix Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Quorvanix&lt;br/&gt;Update-tolVane-%1&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> tolVane Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial &amp;number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bootloader &amp;version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Application version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Available firmware </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deicing Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deicing of outer wall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please connect your tolVane device 
via the USB cable

.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h4&gt;&lt;span style=&quot;color:#aa0000;&quot;&gt;&lt;i&gt;Do not disconnect or power off!&lt;/i&gt;&lt;/span&gt;&lt;/h4&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install and test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 is ready to receive updates!
Click &apos;Install and test&apos; to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 is ready to receive updates!
Click &apos;Update Firmware&apos; to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 is up-to-date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating Firmware of your %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 was successfully updated!
Please disconntect the USB cable and switch the %1 off.
WAIT until ALL LEDs are off, only then switch on again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 was successfully updated!
Please disconntect the USB cable and press and hold the button.
until all LEDs are off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter serial number of %1. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial number successfully written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 is running the application.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To update it, press the button until all LEDs are on
and are off again.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To update it, switch it off and wait until all LEDs are off.
Then switch it on again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This device can&apos;t be updated.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please REBOOT %1. 
 Wait until all LEDs are off before switching on again.
 Do not disconnect the cable. Do not close this application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your tolVane device is ready to receive updates!
Click &apos;Update Firmware&apos; to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runtime: %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>getCurrentState() failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application starting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update of the Firmware Required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware of the %1 needs to be updated for the deicing functionality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart Required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;The %1 is running the Bootloader. In order to change the deicing option, it needs to be restarted as follows:&lt;/p&gt;&lt;ol&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Disconnect the USB cable to the %1.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Switch off the %1 and wait until all LEDs are completely dark.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Switch on the %1 again.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Wait for at least 5 seconds.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Re-connect the USB cable.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;You need the permission of the owner of the building in order&lt;br/&gt;to switch on or off the de-icing function.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;The de-icing function reduces the formation of ice on the&lt;br/&gt;outer wall which is caused by liquid condensate.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;The effect of the tolVane100 is reduced by the de-icing function&lt;br/&gt;at temperatures below 0°C.&lt;/li&gt;&lt;/ul&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seriennummer bereits gesetzt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Seriennummer ist bereits gesetzt und kann nicht verändert werden!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- Communication failed (corrupted sender address) - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images of Bootloader 1 and 2 have different versions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update not Possible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not possible to update this device.
The device runs version 1.x and is therefore too old.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating %1 bootloader...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update process failed due to an unexpected software on the %1. Please switch off your %1.
Then switch in on again and retry the update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update process failed. Please switch off your %1.
Then switch in on again and retry the update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to set Serial number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please reboot the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please reboot %1.
Do not close this Update-%1 application.
Do not remove the USB cable.
Please wait until all LEDs are off before switching %1 on.
After switching on again, please press the button &quot;Update Firmware&quot; again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating %1 serial number...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to update!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating %1 WiFi...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating %1 application...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 did not come back after the restart.
Please switch it off and on again and retry the update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 needs to reboot in order to continue the update process.
Please switch off the %1 and wait until all LEDs are completely dark
Then switch on the %1 again.
Do not remove the USB cable.
Do not close this Update-%1 application.
After the %1 is switched on again, please press the button &quot;Update Firmware&quot; again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 needs to reboot in order to continue the update process.
Please press and hold the button until all LEDs are on and 
off again.
Do not remove the USB cable.
Do not close this Update-%1 application.
After the %1 is switched on again, please press the button &quot;Update Firmware&quot; again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Reboot %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deicing function of the %1 could not be switched.
Its setting is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deicing function of the %1 could not be switched, and its previous setting could not be restored.
Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bootloader 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bootloader 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WiFi bridge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 image of this updater is missing or damaged.
The %2 cannot be updated; please install the updater again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another unit answered after the restart; nothing was written to it.
Please connect the %1 with serial number %2 again and retry the update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 started its application after the restart, so the update could not go on.
Please switch it off, wait until all LEDs are off, switch it on again and retry the update.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>An instance of Update-tolVane100 or tolVane-Vozudoz is already running.
It is not possible to run more than one of those applications at the same time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The command line to start this application contains unrecognized parameters:
%1
They are ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to load translations for locale &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
