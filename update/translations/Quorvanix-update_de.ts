<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CMainDialog</name>
    <message>
        <source>Quorvanix Update</source>
        <translation>Quorvanix Update</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Quorvanix&lt;br/&gt;Update-tolVane-%1&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Quorvanix&lt;br/&gt;Update-tolVane-%1&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source> tolVane Device:</source>
        <translation> tolVane-Gerät:</translation>
    </message>
    <message>
        <source>Serial &amp;number:</source>
        <translation>Serie&amp;nnummer:</translation>
    </message>
    <message>
        <source>Board version:</source>
        <translation>Platinenversion:</translation>
    </message>
    <message>
        <source>Bootloader &amp;version:</source>
        <translation>Bootloader-&amp;Version:</translation>
    </message>
    <message>
        <source>&amp;Application version:</source>
        <translation>&amp;Anwendungsversion:</translation>
    </message>
    <message>
        <source>WiFi version:</source>
        <translation>WiFi-Version:</translation>
    </message>
    <message>
        <source> Available firmware </source>
        <translation> Verfügbare Firmware </translation>
    </message>
    <message>
        <source>Deicing Function</source>
        <translation>Enteisungsfunktion</translation>
    </message>
    <message>
        <source>Deicing of outer wall</source>
        <translation>Enteisung der Außenwand</translation>
    </message>
    <message>
        <source>Please connect your tolVane device 
via the USB cable

.</source>
        <translation>Bitte verbinden Sie Ihr tolVane-Gerät 
über das USB-Kabel

.</translation>
    </message>
    <message>
        <source>&lt;h4&gt;&lt;span style=&quot;color:#aa0000;&quot;&gt;&lt;i&gt;Do not disconnect or power off!&lt;/i&gt;&lt;/span&gt;&lt;/h4&gt;</source>
        <translation>&lt;h4&gt;&lt;span style=&quot;color:#aa0000;&quot;&gt;&lt;i&gt;Nicht trennen oder ausschalten!&lt;/i&gt;&lt;/span&gt;&lt;/h4&gt;</translation>
    </message>
    <message>
        <source>&amp;Update Firmware</source>
        <translation>Firmware &amp;aktualisieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Install and test</source>
        <translation>Installieren und testen</translation>
    </message>
    <message>
        <source>Your %1 is ready to receive updates!
Click &apos;Install and test&apos; to continue.</source>
        <translation>Ihr %1 ist bereit für Aktualisierungen!
Klicken Sie auf &apos;Installieren und testen&apos;, um fortzufahren.</translation>
    </message>
    <message>
        <source>Your %1 is ready to receive updates!
Click &apos;Update Firmware&apos; to continue.</source>
        <translation>Ihr %1 ist bereit für Aktualisierungen!
Klicken Sie auf &apos;Firmware aktualisieren&apos;, um fortzufahren.</translation>
    </message>
    <message>
        <source>Your %1 is up-to-date.</source>
        <translation>Ihr %1 ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Updating Firmware of your %1...</source>
        <translation>Die Firmware Ihres %1 wird aktualisiert...</translation>
    </message>
    <message>
        <source>Your %1 was successfully updated!
Please disconntect the USB cable and switch the %1 off.
WAIT until ALL LEDs are off, only then switch on again.</source>
        <translation>Ihr %1 wurde erfolgreich aktualisiert!
Bitte trennen Sie das USB-Kabel und schalten Sie den %1 aus.
WARTEN Sie, bis ALLE LEDs aus sind, erst dann wieder einschalten.</translation>
    </message>
    <message>
        <source>Your %1 was successfully updated!
Please disconntect the USB cable and press and hold the button.
until all LEDs are off.</source>
        <translation>Ihr %1 wurde erfolgreich aktualisiert!
Bitte trennen Sie das USB-Kabel und halten Sie die Taste gedrückt,
bis alle LEDs aus sind.</translation>
    </message>
    <message>
        <source>Enter serial number of %1. </source>
        <translation>Seriennummer des %1 eingeben. </translation>
    </message>
    <message>
        <source>Serial number successfully written.</source>
        <translation>Seriennummer erfolgreich geschrieben.</translation>
    </message>
    <message>
        <source>Your %1 is running the application.
</source>
        <translation>Ihr %1 führt die Anwendung aus.
</translation>
    </message>
    <message>
        <source>To update it, press the button until all LEDs are on
and are off again.
</source>
        <translation>Zum Aktualisieren die Taste drücken, bis alle LEDs an
und wieder aus sind.
</translation>
    </message>
    <message>
        <source>To update it, switch it off and wait until all LEDs are off.
Then switch it on again.</source>
        <translation>Zum Aktualisieren ausschalten und warten, bis alle LEDs aus sind.
Dann wieder einschalten.</translation>
    </message>
    <message>
        <source>This device can&apos;t be updated.
</source>
        <translation>Dieses Gerät kann nicht aktualisiert werden.
</translation>
    </message>
    <message>
        <source>Please REBOOT %1. 
 Wait until all LEDs are off before switching on again.
 Do not disconnect the cable. Do not close this application.</source>
        <translation>Bitte %1 NEU STARTEN. 
 Warten Sie, bis alle LEDs aus sind, bevor Sie wieder einschalten.
 Kabel nicht trennen. Diese Anwendung nicht schließen.</translation>
    </message>
    <message>
        <source>Your tolVane device is ready to receive updates!
Click &apos;Update Firmware&apos; to continue.</source>
        <translation>Ihr tolVane-Gerät ist bereit für Aktualisierungen!
Klicken Sie auf &apos;Firmware aktualisieren&apos;, um fortzufahren.</translation>
    </message>
    <message>
        <source>Runtime: %1:%2</source>
        <translation>Laufzeit: %1:%2</translation>
    </message>
    <message>
        <source>getCurrentState() failed</source>
        <translation>getCurrentState() fehlgeschlagen</translation>
    </message>
    <message>
        <source>Application starting...</source>
        <translation>Anwendung startet...</translation>
    </message>
    <message>
        <source>Update of the Firmware Required</source>
        <translation>Aktualisierung der Firmware erforderlich</translation>
    </message>
    <message>
        <source>The firmware of the %1 needs to be updated for the deicing functionality</source>
        <translation>Die Firmware des %1 muss für die Enteisungsfunktion aktualisiert werden</translation>
    </message>
    <message>
        <source>Restart Required</source>
        <translation>Neustart erforderlich</translation>
    </message>
    <message>
        <source>&lt;p&gt;The %1 is running the Bootloader. In order to change the deicing option, it needs to be restarted as follows:&lt;/p&gt;&lt;ol&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Disconnect the USB cable to the %1.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Switch off the %1 and wait until all LEDs are completely dark.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Switch on the %1 again.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Wait for at least 5 seconds.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Re-connect the USB cable.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;p&gt;Der %1 führt den Bootloader aus. Um die Enteisung umzuschalten, muss er wie folgt neu gestartet werden:&lt;/p&gt;&lt;ol&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Das USB-Kabel zum %1 trennen.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Den %1 ausschalten und warten, bis alle LEDs völlig dunkel sind.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Den %1 wieder einschalten.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Mindestens 5 Sekunden warten.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Das USB-Kabel wieder anschließen.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>Please Note</source>
        <translation>Bitte beachten</translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;You need the permission of the owner of the building in order&lt;br/&gt;to switch on or off the de-icing function.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;The de-icing function reduces the formation of ice on the&lt;br/&gt;outer wall which is caused by liquid condensate.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;The effect of the tolVane100 is reduced by the de-icing function&lt;br/&gt;at temperatures below 0°C.&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;ul&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Zum Ein- oder Ausschalten der Enteisung benötigen Sie&lt;br/&gt;die Erlaubnis des Gebäudeeigentümers.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Die Enteisung verringert die Eisbildung an der&lt;br/&gt;Außenwand durch flüssiges Kondensat.&lt;/li&gt;&lt;li style=&quot;margin:0.4em 0;&quot;&gt;Die Wirkung des tolVane100 wird durch die Enteisung&lt;br/&gt;bei Temperaturen unter 0°C verringert.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>Seriennummer bereits gesetzt</source>
        <translation>Seriennummer bereits gesetzt</translation>
    </message>
    <message>
        <source>Die Seriennummer ist bereits gesetzt und kann nicht verändert werden!</source>
        <translation>Die Seriennummer ist bereits gesetzt und kann nicht verändert werden!</translation>
    </message>
    <message>
        <source>- Communication failed (corrupted sender address) - </source>
        <translation>- Kommunikation fehlgeschlagen (verfälschte Absenderadresse) - </translation>
    </message>
    <message>
        <source>Images of Bootloader 1 and 2 have different versions.</source>
        <translation>Die Abbilder von Bootloader 1 und 2 haben verschiedene Versionen.</translation>
    </message>
    <message>
        <source>Update not Possible</source>
        <translation>Aktualisierung nicht möglich</translation>
    </message>
    <message>
        <source>It is not possible to update this device.
The device runs version 1.x and is therefore too old.</source>
        <translation>Dieses Gerät kann nicht aktualisiert werden.
Das Gerät hat die Version 1.x und ist daher zu alt.</translation>
    </message>
    <message>
        <source>Updating %1 ...</source>
        <translation>%1 wird aktualisiert ...</translation>
    </message>
    <message>
        <source>Updating %1 bootloader...</source>
        <translation>Bootloader des %1 wird aktualisiert...</translation>
    </message>
    <message>
        <source>The update process failed due to an unexpected software on the %1. Please switch off your %1.
Then switch in on again and retry the update.</source>
        <translation>Die Aktualisierung ist wegen einer unerwarteten Software auf dem %1 fehlgeschlagen. Bitte schalten Sie Ihren %1 aus.
Schalten Sie ihn dann wieder ein und wiederholen Sie die Aktualisierung.</translation>
    </message>
    <message>
        <source>The update process failed. Please switch off your %1.
Then switch in on again and retry the update.</source>
        <translation>Die Aktualisierung ist fehlgeschlagen. Bitte schalten Sie Ihren %1 aus.
Schalten Sie ihn dann wieder ein und wiederholen Sie die Aktualisierung.</translation>
    </message>
    <message>
        <source>Unable to set Serial number.</source>
        <translation>Seriennummer konnte nicht gesetzt werden.</translation>
    </message>
    <message>
        <source>Please reboot the %1</source>
        <translation>Bitte den %1 neu starten</translation>
    </message>
    <message>
        <source>Please reboot %1.
Do not close this Update-%1 application.
Do not remove the USB cable.
Please wait until all LEDs are off before switching %1 on.
After switching on again, please press the button &quot;Update Firmware&quot; again.</source>
        <translation>Bitte starten Sie den %1 neu.
Schließen Sie diese Update-%1-Anwendung nicht.
Entfernen Sie das USB-Kabel nicht.
Bitte warten Sie, bis alle LEDs aus sind, bevor Sie den %1 einschalten.
Drücken Sie nach dem Einschalten erneut die Schaltfläche &quot;Firmware aktualisieren&quot;.</translation>
    </message>
    <message>
        <source>Updating %1 serial number...</source>
        <translation>Seriennummer des %1 wird geschrieben...</translation>
    </message>
    <message>
        <source>Unable to update!</source>
        <translation>Aktualisierung nicht möglich!</translation>
    </message>
    <message>
        <source>Updating %1 WiFi...</source>
        <translation>WiFi des %1 wird aktualisiert...</translation>
    </message>
    <message>
        <source>Updating %1 application...</source>
        <translation>Anwendung des %1 wird aktualisiert...</translation>
    </message>
    <message>
        <source>The %1 did not come back after the restart.
Please switch it off and on again and retry the update.</source>
        <translation>Der %1 hat sich nach dem Neustart nicht wieder gemeldet.
Bitte schalten Sie ihn aus und wieder ein und wiederholen Sie die Aktualisierung.</translation>
    </message>
    <message>
        <source>The %1 needs to reboot in order to continue the update process.
Please switch off the %1 and wait until all LEDs are completely dark
Then switch on the %1 again.
Do not remove the USB cable.
Do not close this Update-%1 application.
After the %1 is switched on again, please press the button &quot;Update Firmware&quot; again.</source>
        <translation>Der %1 muss neu starten, um die Aktualisierung fortzusetzen.
Bitte schalten Sie den %1 aus und warten Sie, bis alle LEDs völlig dunkel sind
Schalten Sie den %1 dann wieder ein.
Entfernen Sie das USB-Kabel nicht.
Schließen Sie diese Update-%1-Anwendung nicht.
Drücken Sie nach dem Einschalten des %1 erneut die Schaltfläche &quot;Firmware aktualisieren&quot;.</translation>
    </message>
    <message>
        <source>The %1 needs to reboot in order to continue the update process.
Please press and hold the button until all LEDs are on and 
off again.
Do not remove the USB cable.
Do not close this Update-%1 application.
After the %1 is switched on again, please press the button &quot;Update Firmware&quot; again.</source>
        <translation>Der %1 muss neu starten, um die Aktualisierung fortzusetzen.
Bitte halten Sie die Taste gedrückt, bis alle LEDs an und 
wieder aus sind.
Entfernen Sie das USB-Kabel nicht.
Schließen Sie diese Update-%1-Anwendung nicht.
Drücken Sie nach dem Einschalten des %1 erneut die Schaltfläche &quot;Firmware aktualisieren&quot;.</translation>
    </message>
    <message>
        <source>Please Reboot %1</source>
        <translation>Bitte %1 neu starten</translation>
    </message>
    <message>
        <source>The deicing function of the %1 could not be switched.
Its setting is unchanged.</source>
        <translation>Die Enteisungsfunktion des %1 konnte nicht umgeschaltet werden.
Ihre Einstellung ist unverändert.</translation>
    </message>
    <message>
        <source>The deicing function of the %1 could not be switched, and its previous setting could not be restored.
Please try again.</source>
        <translation>Die Enteisungsfunktion des %1 konnte nicht umgeschaltet und ihre vorige Einstellung nicht wiederhergestellt werden.
Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>bootloader 1</source>
        <translation>Bootloader 1</translation>
    </message>
    <message>
        <source>bootloader 2</source>
        <translation>Bootloader 2</translation>
    </message>
    <message>
        <source>application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>WiFi module</source>
        <translation>WLAN-Modul</translation>
    </message>
    <message>
        <source>WiFi bridge</source>
        <translation>WLAN-Bridge</translation>
    </message>
    <message>
        <source>The %1 image of this updater is missing or damaged.
The %2 cannot be updated; please install the updater again.</source>
        <translation>Das Firmware-Abbild „%1“ dieses Update-Programms fehlt oder ist beschädigt.
Der %2 kann nicht aktualisiert werden; bitte installieren Sie das Update-Programm erneut.</translation>
    </message>
    <message>
        <source>Another unit answered after the restart; nothing was written to it.
Please connect the %1 with serial number %2 again and retry the update.</source>
        <translation>Nach dem Neustart hat ein anderes Gerät geantwortet; es wurde nichts darauf geschrieben.
Bitte schließen Sie den %1 mit der Seriennummer %2 wieder an und wiederholen Sie das Update.</translation>
    </message>
    <message>
        <source>The %1 started its application after the restart, so the update could not go on.
Please switch it off, wait until all LEDs are off, switch it on again and retry the update.</source>
        <translation>Der %1 hat nach dem Neustart seine Anwendung gestartet, daher konnte das Update nicht fortgesetzt werden.
Bitte schalten Sie ihn aus, warten Sie, bis alle LEDs aus sind, schalten Sie ihn wieder ein und wiederholen Sie das Update.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>An instance of Update-tolVane100 or tolVane-Vozudoz is already running.
It is not possible to run more than one of those applications at the same time.</source>
        <translation>Eine Instanz von Update-tolVane100 oder tolVane-Vozudoz läuft bereits.
Es ist nicht möglich, mehr als eine dieser Anwendungen gleichzeitig auszuführen.</translation>
    </message>
    <message>
        <source>The command line to start this application contains unrecognized parameters:
%1
They are ignored.</source>
        <translation>Die Befehlszeile zum Starten dieser Anwendung enthält unbekannte Parameter:
%1
Sie werden ignoriert.</translation>
    </message>
    <message>
        <source>Unable to load translations for locale &apos;%1&apos;.</source>
        <translation>Übersetzungen für die Sprache &apos;%1&apos; konnten nicht geladen werden.</translation>
    </message>
</context>
</TS>
