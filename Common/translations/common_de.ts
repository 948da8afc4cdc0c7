<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CDataDict</name>
    <message>
        <source>TIM</source>
        <translation>ZEIT</translation>
    </message>
    <message>
        <source>Timestamp of log entry</source>
        <translation>Zeitstempel des Log-Eintrags</translation>
    </message>
    <message>
        <source>RES</source>
        <translation>NST</translation>
    </message>
    <message>
        <source>Restarted</source>
        <translation>Neu gestartet</translation>
    </message>
    <message>
        <source>OM</source>
        <translation>BM</translation>
    </message>
    <message>
        <source>Operation mode</source>
        <translation>Betriebsmodus</translation>
    </message>
    <message>
        <source>cmf</source>
        <translation>kmf</translation>
    </message>
    <message>
        <source>Comfort</source>
        <translation>Komfort</translation>
    </message>
    <message>
        <source>cm1</source>
        <translation>km1</translation>
    </message>
    <message>
        <source>Comfort (1st room)</source>
        <translation>Komfort (Erstraum)</translation>
    </message>
    <message>
        <source>aut</source>
        <translation>aut</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>slp</source>
        <translation>slf</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Schlafmodus</translation>
    </message>
    <message>
        <source>trb</source>
        <translation>trb</translation>
    </message>
    <message>
        <source>Turbo</source>
        <translation>Turbo</translation>
    </message>
    <message>
        <source>trc</source>
        <translation>trk</translation>
    </message>
    <message>
        <source>Turbo Cool</source>
        <translation>Turbo Kühlen</translation>
    </message>
    <message>
        <source>svc</source>
        <translation>svc</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>tst</source>
        <translation>tst</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>mnu</source>
        <translation>her</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>PRG</source>
        <translation>PRG</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>mve</source>
        <translation>mlf</translation>
    </message>
    <message>
        <source>Minimum Ventilation</source>
        <translation>Minimallüftung</translation>
    </message>
    <message>
        <source>hrr</source>
        <translation>efr</translation>
    </message>
    <message>
        <source>Humidity Reduction (relative)</source>
        <translation>Entfeuchtung (relativ)</translation>
    </message>
    <message>
        <source>hra</source>
        <translation>efa</translation>
    </message>
    <message>
        <source>Humidity Reduction (absolute)</source>
        <translation>Entfeuchtung (absolut)</translation>
    </message>
    <message>
        <source>col</source>
        <translation>khl</translation>
    </message>
    <message>
        <source>Active Cooling</source>
        <translation>Aktive Kühlung</translation>
    </message>
    <message>
        <source>co2</source>
        <translation>co2</translation>
    </message>
    <message>
        <source>CO2 Reduction</source>
        <translation>CO2-Reduzierung</translation>
    </message>
    <message>
        <source>CO2Inp</source>
        <translation>CO2Ein</translation>
    </message>
    <message>
        <source>CO2 Input</source>
        <translation>CO2-Eintrag</translation>
    </message>
    <message>
        <source>HCO2Inp</source>
        <translation>FCO2Ein</translation>
    </message>
    <message>
        <source>CO2 and Humidity Input</source>
        <translation>CO2- und Feuchteeintrag</translation>
    </message>
    <message>
        <source>HumInp</source>
        <translation>FeuEin</translation>
    </message>
    <message>
        <source>Humidity Input</source>
        <translation>Feuchteeintrag</translation>
    </message>
    <message>
        <source>RED</source>
        <translation>RED</translation>
    </message>
    <message>
        <source>Reduction (mini)</source>
        <translation>Reduzierung (mini)</translation>
    </message>
    <message>
        <source>dfr</source>
        <translation>abt</translation>
    </message>
    <message>
        <source>Defrosting</source>
        <translation>Abtauen</translation>
    </message>
    <message>
        <source>dfs</source>
        <translation>abz</translation>
    </message>
    <message>
        <source>Defrosting Supply</source>
        <translation>Abtauen Zuluft</translation>
    </message>
    <message>
        <source>hin</source>
        <translation>fei</translation>
    </message>
    <message>
        <source>win</source>
        <translation>wei</translation>
    </message>
    <message>
        <source>Water Insertion</source>
        <translation>Wassereintrag</translation>
    </message>
    <message>
        <source>otb</source>
        <translation>alk</translation>
    </message>
    <message>
        <source>dow</source>
        <translation>eaw</translation>
    </message>
    <message>
        <source>Deicing outer wall</source>
        <translation>Enteisung Außenwand</translation>
    </message>
    <message>
        <source>HR</source>
        <translation>EM</translation>
    </message>
    <message>
        <source>Cooling</source>
        <translation>Kühlung</translation>
    </message>
    <message>
        <source>CL</source>
        <translation>KL</translation>
    </message>
    <message>
        <source>Comfort Level</source>
        <translation>Komfort-Level</translation>
    </message>
    <message>
        <source>RA</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>m²</source>
        <translation>m²</translation>
    </message>
    <message>
        <source>2A</source>
        <translation>ZA</translation>
    </message>
    <message>
        <source>m³/h</source>
        <translation>m³/h</translation>
    </message>
    <message>
        <source>1/min</source>
        <translation>1/min</translation>
    </message>
    <message>
        <source>AFL</source>
        <translation>LST</translation>
    </message>
    <message>
        <source>Air flow</source>
        <translation>Luftstrom</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>TSU</source>
        <translation>TZU</translation>
    </message>
    <message>
        <source>Supply temperature</source>
        <translation>Temperatur Zuluft</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>HEA</source>
        <translation>FABA</translation>
    </message>
    <message>
        <source>g/m³</source>
        <translation>g/m³</translation>
    </message>
    <message>
        <source>Extract humidity (abs)</source>
        <translation>Feuchtigkeit Abluft (abs)</translation>
    </message>
    <message>
        <source>HOU</source>
        <translation>FAU</translation>
    </message>
    <message>
        <source>CO2</source>
        <translation>CO2</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>VOC</source>
        <translation>VOC</translation>
    </message>
    <message>
        <source>TSC</source>
        <translation>TZB</translation>
    </message>
    <message>
        <source>HOA</source>
        <translation>FAUA</translation>
    </message>
    <message>
        <source>Outdoor humidity (abs)</source>
        <translation>Feuchtigkeit Außenluft (abs)</translation>
    </message>
    <message>
        <source>TEH</source>
        <translation>TFO</translation>
    </message>
    <message>
        <source>APR</source>
        <translation>LDR</translation>
    </message>
    <message>
        <source>hPa</source>
        <translation>hPa</translation>
    </message>
    <message>
        <source>Air pressure</source>
        <translation>Luftdruck</translation>
    </message>
    <message>
        <source>ADY</source>
        <translation>LDI</translation>
    </message>
    <message>
        <source>kg/m³</source>
        <translation>kg/m³</translation>
    </message>
    <message>
        <source>Air density</source>
        <translation>Luftdichte</translation>
    </message>
    <message>
        <source>HRP</source>
        <translation>WRP</translation>
    </message>
    <message>
        <source>Heat recovery (rel)</source>
        <translation>Wärmerückgewinnung (rel)</translation>
    </message>
    <message>
        <source>HRW</source>
        <translation>WRW</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Heat recovery (abs)</source>
        <translation>Wärmerückgewinnung (abs)</translation>
    </message>
    <message>
        <source>OPH</source>
        <translation>BST</translation>
    </message>
    <message>
        <source>h</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Operating hours</source>
        <translation>Betriebsstunden</translation>
    </message>
    <message>
        <source>FIH</source>
        <translation>FST</translation>
    </message>
    <message>
        <source>Filter hours</source>
        <translation>Filterstunden</translation>
    </message>
    <message>
        <source>DEI</source>
        <translation>ENT</translation>
    </message>
    <message>
        <source>Deicing</source>
        <translation>Enteisung</translation>
    </message>
    <message>
        <source>SWV</source>
        <translation>SWV</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>Software-Version</translation>
    </message>
    <message>
        <source>CBV</source>
        <translation>PLV</translation>
    </message>
    <message>
        <source>Circuit board version</source>
        <translation>Platinen-Version</translation>
    </message>
    <message>
        <source>SNR</source>
        <translation>SNR</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Supply Air flow</source>
        <translation>Luftstrom Zuluft</translation>
    </message>
    <message>
        <source>RSSI</source>
        <translation>RSSI</translation>
    </message>
    <message>
        <source>LTS</source>
        <translation>LTS</translation>
    </message>
    <message>
        <source>DL1</source>
        <translation>ZL1</translation>
    </message>
    <message>
        <source>H:M</source>
        <translation>S:M</translation>
    </message>
    <message>
        <source>DL2</source>
        <translation>ZL2</translation>
    </message>
    <message>
        <source>DL3</source>
        <translation>ZL3</translation>
    </message>
    <message>
        <source>DL4</source>
        <translation>ZL4</translation>
    </message>
    <message>
        <source>DL5</source>
        <translation>ZL5</translation>
    </message>
    <message>
        <source>DSM</source>
        <translation>ZSM</translation>
    </message>
    <message>
        <source>Duration sleep mode</source>
        <translation>Zeit im Schlafmodus</translation>
    </message>
    <message>
        <source>DTM</source>
        <translation>ZTM</translation>
    </message>
    <message>
        <source>Duration turbo mode</source>
        <translation>Zeit im Turbo-Modus</translation>
    </message>
    <message>
        <source>D1R</source>
        <translation>Z1R</translation>
    </message>
    <message>
        <source>Duration Comfort (1st room)</source>
        <translation>Zeit im Komfort (Erstraum)</translation>
    </message>
    <message>
        <source>DDF</source>
        <translation>ZAT</translation>
    </message>
    <message>
        <source>Duration defrosting</source>
        <translation>Zeit beim Abtauen</translation>
    </message>
    <message>
        <source>DMV</source>
        <translation>ZML</translation>
    </message>
    <message>
        <source>Duration minimum ventilation</source>
        <translation>Zeit in Minimallüftung</translation>
    </message>
    <message>
        <source>DWI</source>
        <translation>ZWE</translation>
    </message>
    <message>
        <source>Duration water insertion</source>
        <translation>Zeit mit Wassereintrag</translation>
    </message>
    <message>
        <source>DHI</source>
        <translation>ZFE</translation>
    </message>
    <message>
        <source>Duration humidity input</source>
        <translation>Zeit mit Feuchteeintrag</translation>
    </message>
    <message>
        <source>Duration CO2 insertion</source>
        <translation>Zeit mit CO2-Eintrag</translation>
    </message>
    <message>
        <source>Duration humidity and CO2 insertion</source>
        <translation>Zeit mit Feuchte- und CO2-Eintrag</translation>
    </message>
    <message>
        <source>DRA</source>
        <translation>ZEA</translation>
    </message>
    <message>
        <source>Duration humidity reduction (absolute)</source>
        <translation>Zeit in Entfeuchtung (absolut)</translation>
    </message>
    <message>
        <source>DRR</source>
        <translation>ZER</translation>
    </message>
    <message>
        <source>Duration humidity reduction (relative)</source>
        <translation>Zeit in Entfeuchtung (relativ)</translation>
    </message>
    <message>
        <source>DCO</source>
        <translation>ZKU</translation>
    </message>
    <message>
        <source>Duration cooling</source>
        <translation>Zeit in Kühlung</translation>
    </message>
    <message>
        <source>Duration CO2 reduction</source>
        <translation>Zeit in CO2-Reduzierung</translation>
    </message>
    <message>
        <source>HRU</source>
        <translation>EMV</translation>
    </message>
    <message>
        <source>Humidity reduction mode used</source>
        <translation>Entfeuchtungs-Modus verwendet</translation>
    </message>
    <message>
        <source>HRN</source>
        <translation>EMN</translation>
    </message>
    <message>
        <source>Humidity reduction mode not used</source>
        <translation>Entfeuchtungs-Modus nicht verwendet</translation>
    </message>
    <message>
        <source>EXE</source>
        <translation>EAB</translation>
    </message>
    <message>
        <source>Wh</source>
        <translation>Wh</translation>
    </message>
    <message>
        <source>Extracted energy</source>
        <translation>Abgeführte Energie</translation>
    </message>
    <message>
        <source>REE</source>
        <translation>ERG</translation>
    </message>
    <message>
        <source>Recovered energy</source>
        <translation>Zurückgewonnene Energie</translation>
    </message>
    <message>
        <source>PCO</source>
        <translation>EVB</translation>
    </message>
    <message>
        <source>Power consumption</source>
        <translation>Stromverbrauch</translation>
    </message>
    <message>
        <source>COE</source>
        <translation>EKU</translation>
    </message>
    <message>
        <source>Cooling energy</source>
        <translation>Kühlenergie</translation>
    </message>
    <message>
        <source>AEX</source>
        <translation>LAU</translation>
    </message>
    <message>
        <source>m³</source>
        <translation>m³</translation>
    </message>
    <message>
        <source>Air exchanged</source>
        <translation>Ausgetauschte Luft</translation>
    </message>
    <message>
        <source>WAR</source>
        <translation>WEN</translation>
    </message>
    <message>
        <source>g</source>
        <translation>g</translation>
    </message>
    <message>
        <source>Water removed</source>
        <translation>Entferntes Wasser</translation>
    </message>
    <message>
        <source>ES</source>
        <translation>FZ</translation>
    </message>
    <message>
        <source>Error state</source>
        <translation>Fehlerzustand</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>ge1</source>
        <translation>af1</translation>
    </message>
    <message>
        <source>general error</source>
        <translation>allgemeiner Fehler</translation>
    </message>
    <message>
        <source>ge2</source>
        <translation>af2</translation>
    </message>
    <message>
        <source>general error 2</source>
        <translation>allgemeiner Fehler 2</translation>
    </message>
    <message>
        <source>se</source>
        <translation>sf</translation>
    </message>
    <message>
        <source>sensor error</source>
        <translation>Sensorfehler</translation>
    </message>
    <message>
        <source>QEU</source>
        <translation>LQAU</translation>
    </message>
    <message>
        <source>Extract air quality (uncor.)</source>
        <translation>Luftqualität Abluft (unkorr.)</translation>
    </message>
    <message>
        <source> QSU</source>
        <translation> LQZU</translation>
    </message>
    <message>
        <source>Supply air quality  (uncor.)</source>
        <translation>Luftqualität Zuluft (unkorr.)</translation>
    </message>
    <message>
        <source>EFN</source>
        <translation>FDN</translation>
    </message>
    <message>
        <source>ELN</source>
        <translation>FZN</translation>
    </message>
    <message>
        <source>ECO</source>
        <translation>FCO</translation>
    </message>
    <message>
        <source>VPE</source>
        <translation>KPA</translation>
    </message>
    <message>
        <source>VBY</source>
        <translation>KPB</translation>
    </message>
    <message>
        <source>VBA</source>
        <translation>KP2</translation>
    </message>
    <message>
        <source>VPS</source>
        <translation>KPZ</translation>
    </message>
    <message>
        <source>TPE</source>
        <translation>KSA</translation>
    </message>
    <message>
        <source>TBY</source>
        <translation>KSB</translation>
    </message>
    <message>
        <source>TBA</source>
        <translation>KS2</translation>
    </message>
    <message>
        <source>TPS</source>
        <translation>KSZ</translation>
    </message>
    <message>
        <source>FSF</source>
        <translation>FZV</translation>
    </message>
    <message>
        <source>FEF</source>
        <translation>FAV</translation>
    </message>
    <message>
        <source>DIP</source>
        <translation>DIP</translation>
    </message>
    <message>
        <source>FSC</source>
        <translation>LKZ</translation>
    </message>
    <message>
        <source>FEC</source>
        <translation>LKA</translation>
    </message>
    <message>
        <source>CSU</source>
        <translation>LBE</translation>
    </message>
    <message>
        <source>CFA</source>
        <translation>LBF</translation>
    </message>
    <message>
        <source>CA</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>KU</translation>
    </message>
    <message>
        <source>FSS</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>LGZ</translation>
    </message>
    <message>
        <source>FSE</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>LGA</translation>
    </message>
    <message>
        <source>TEX</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>TAB</translation>
    </message>
    <message>
        <source>HEX</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>FAB</translation>
    </message>
    <message>
        <source>TOU</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>TAU</translation>
    </message>
    <message>
        <source>QEA</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>LQA</translation>
    </message>
    <message>
        <source>QSA</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>LQZ</translation>
    </message>
    <message>
        <source>DSE</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>ZSB</translation>
    </message>
    <message>
        <source>DC2I</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>ZCO</translation>
    </message>
    <message>
        <source>DHCI</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>ZFC</translation>
    </message>
    <message>
        <source>DC2R</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>ZC2</translation>
    </message>
</context>
<context>
    <name>CFanBase</name>
    <message>
        <source>Please connect your application via the USB cable.</source>
        <translation>Bitte verbinden Sie Ihr Gerät über das USB-Kabel.</translation>
    </message>
    <message>
        <source>Checking for new devices...</source>
        <translation>Suche nach neuen Geräten...</translation>
    </message>
    <message>
        <source>Unable to open COM port for %1.
Please switch your %2 off and then on again.</source>
        <translation>Der COM-Port für %1 kann nicht geöffnet werden.
Bitte schalten Sie Ihren %2 aus und wieder ein.</translation>
    </message>
    <message>
        <source>%1 did not respond - </source>
        <translation>%1 hat nicht geantwortet - </translation>
    </message>
    <message>
        <source>Unable to set startup mode for application.</source>
        <translation>Der Startmodus für die Anwendung kann nicht gesetzt werden.</translation>
    </message>
    <message>
        <source>%1 did not respond! </source>
        <translation>%1 hat nicht geantwortet! </translation>
    </message>
    <message>
        <source>%1 detected!</source>
        <translation>%1 erkannt!</translation>
    </message>
    <message>
        <source> The %1 did not (correctly) respond - </source>
        <translation> Der %1 hat nicht (korrekt) geantwortet - </translation>
    </message>
    <message>
        <source>- The %1 responded with the wrong packet - </source>
        <translation>- Der %1 hat mit dem falschen Paket geantwortet - </translation>
    </message>
    <message>
        <source>Error sending data to %1.</source>
        <translation>Fehler beim Senden der Daten an %1.</translation>
    </message>
    <message>
        <source>The update process failed. Please switch off your %1.
Then switch in on again and retry the update.</source>
        <translation>Die Aktualisierung ist fehlgeschlagen. Bitte schalten Sie Ihren %1 aus.
Schalten Sie ihn dann wieder ein und wiederholen Sie die Aktualisierung.</translation>
    </message>
    <message>
        <source>%1 did not (correctly) respond - </source>
        <translation>%1 hat nicht (korrekt) geantwortet - </translation>
    </message>
    <message>
        <source>%1 did respond with the wrong packet - </source>
        <translation>%1 hat mit dem falschen Paket geantwortet - </translation>
    </message>
    <message>
        <source>The firmware image for the %1 is missing or damaged.
Nothing was sent to the %1.</source>
        <translation>Das Firmware-Abbild für den %1 fehlt oder ist beschädigt.
Es wurde nichts an den %1 gesendet.</translation>
    </message>
</context>
<context>
    <name>CFanValues</name>
    <message>
        <source>Humidity reduction</source>
        <translation>Entfeuchtung</translation>
    </message>
    <message>
        <source>Humidity reduction (1st room)</source>
        <translation>Entfeuchtung (Erstraum)</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The folder &apos;%1&apos; for the single-instance check cannot be written.</source>
        <translation>Der Ordner &apos;%1&apos; für die Prüfung, ob eines der Programme schon läuft, kann nicht beschrieben werden.</translation>
    </message>
</context>
</TS>
