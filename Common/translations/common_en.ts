<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>CDataDict</name>
    <message>
        <source>TIM</source>
        <translation>TIM</translation>
    </message>
    <message>
        <source>Timestamp of log entry</source>
        <translation>Timestamp of log entry</translation>
    </message>
    <message>
        <source>RES</source>
        <translation>RES</translation>
    </message>
    <message>
        <source>Restarted</source>
        <translation>Restarted</translation>
    </message>
    <message>
        <source>OM</source>
        <translation>OM</translation>
    </message>
    <message>
        <source>Operation mode</source>
        <translation>Operation mode</translation>
    </message>
    <message>
        <source>cmf</source>
        <translation>cmf</translation>
    </message>
    <message>
        <source>Comfort</source>
        <translation>Comfort</translation>
    </message>
    <message>
        <source>cm1</source>
        <translation>cm1</translation>
    </message>
    <message>
        <source>Comfort (1st room)</source>
        <translation>Comfort (1st room)</translation>
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
        <translation>slp</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Sleep</translation>
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
        <translation>trc</translation>
    </message>
    <message>
        <source>Turbo Cool</source>
        <translation>Turbo Cool</translation>
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
        <translation>mnu</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>PRG</source>
        <translation>PRG</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>mve</source>
        <translation>mve</translation>
    </message>
    <message>
        <source>Minimum Ventilation</source>
        <translation>Minimum Ventilation</translation>
    </message>
    <message>
        <source>hrr</source>
        <translation>hrr</translation>
    </message>
    <message>
        <source>Humidity Reduction (relative)</source>
        <translation>Humidity Reduction (relative)</translation>
    </message>
    <message>
        <source>hra</source>
        <translation>hra</translation>
    </message>
    <message>
        <source>Humidity Reduction (absolute)</source>
        <translation>Humidity Reduction (absolute)</translation>
    </message>
    <message>
        <source>col</source>
        <translation>col</translation>
    </message>
    <message>
        <source>Active Cooling</source>
        <translation>Active Cooling</translation>
    </message>
    <message>
        <source>co2</source>
        <translation>co2</translation>
    </message>
    <message>
        <source>CO2 Reduction</source>
        <translation>CO2 Reduction</translation>
    </message>
    <message>
        <source>CO2Inp</source>
        <translation>CO2Inp</translation>
    </message>
    <message>
        <source>CO2 Input</source>
        <translation>CO2 Input</translation>
    </message>
    <message>
        <source>HCO2Inp</source>
        <translation>HCO2Inp</translation>
    </message>
    <message>
        <source>CO2 and Humidity Input</source>
        <translation>CO2 and Humidity Input</translation>
    </message>
    <message>
        <source>HumInp</source>
        <translation>HumInp</translation>
    </message>
    <message>
        <source>Humidity Input</source>
        <translation>Humidity Input</translation>
    </message>
    <message>
        <source>RED</source>
        <translation>RED</translation>
    </message>
    <message>
        <source>Reduction (mini)</source>
        <translation>Reduction (mini)</translation>
    </message>
    <message>
        <source>dfr</source>
        <translation>dfr</translation>
    </message>
    <message>
        <source>Defrosting</source>
        <translation>Defrosting</translation>
    </message>
    <message>
        <source>dfs</source>
        <translation>dfs</translation>
    </message>
    <message>
        <source>Defrosting Supply</source>
        <translation>Defrosting Supply</translation>
    </message>
    <message>
        <source>hin</source>
        <translation>hin</translation>
    </message>
    <message>
        <source>win</source>
        <translation>win</translation>
    </message>
    <message>
        <source>Water Insertion</source>
        <translation>Water Insertion</translation>
    </message>
    <message>
        <source>otb</source>
        <translation>otb</translation>
    </message>
    <message>
        <source>dow</source>
        <translation>dow</translation>
    </message>
    <message>
        <source>Deicing outer wall</source>
        <translation>Deicing outer wall</translation>
    </message>
    <message>
        <source>HR</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>Cooling</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>CL</source>
        <translation>CL</translation>
    </message>
    <message>
        <source>Comfort Level</source>
        <translation>Comfort Level</translation>
    </message>
    <message>
        <source>RA</source>
        <translation>RA</translation>
    </message>
    <message>
        <source>m²</source>
        <translation>m²</translation>
    </message>
    <message>
        <source>2A</source>
        <translation>2A</translation>
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
        <translation>AFL</translation>
    </message>
    <message>
        <source>Air flow</source>
        <translation>Air flow</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>TSU</source>
        <translation>TSU</translation>
    </message>
    <message>
        <source>Supply temperature</source>
        <translation>Supply temperature</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>HEA</source>
        <translation>HEA</translation>
    </message>
    <message>
        <source>g/m³</source>
        <translation>g/m³</translation>
    </message>
    <message>
        <source>Extract humidity (abs)</source>
        <translation>Extract humidity (abs)</translation>
    </message>
    <message>
        <source>HOU</source>
        <translation>HOU</translation>
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
        <translation>TSC</translation>
    </message>
    <message>
        <source>HOA</source>
        <translation>HOA</translation>
    </message>
    <message>
        <source>Outdoor humidity (abs)</source>
        <translation>Outdoor humidity (abs)</translation>
    </message>
    <message>
        <source>TEH</source>
        <translation>TEH</translation>
    </message>
    <message>
        <source>APR</source>
        <translation>APR</translation>
    </message>
    <message>
        <source>hPa</source>
        <translation>hPa</translation>
    </message>
    <message>
        <source>Air pressure</source>
        <translation>Air pressure</translation>
    </message>
    <message>
        <source>ADY</source>
        <translation>ADY</translation>
    </message>
    <message>
        <source>kg/m³</source>
        <translation>kg/m³</translation>
    </message>
    <message>
        <source>Air density</source>
        <translation>Air density</translation>
    </message>
    <message>
        <source>HRP</source>
        <translation>HRP</translation>
    </message>
    <message>
        <source>Heat recovery (rel)</source>
        <translation>Heat recovery (rel)</translation>
    </message>
    <message>
        <source>HRW</source>
        <translation>HRW</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Heat recovery (abs)</source>
        <translation>Heat recovery (abs)</translation>
    </message>
    <message>
        <source>OPH</source>
        <translation>OPH</translation>
    </message>
    <message>
        <source>h</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Operating hours</source>
        <translation>Operating hours</translation>
    </message>
    <message>
        <source>FIH</source>
        <translation>FIH</translation>
    </message>
    <message>
        <source>Filter hours</source>
        <translation>Filter hours</translation>
    </message>
    <message>
        <source>DEI</source>
        <translation>DEI</translation>
    </message>
    <message>
        <source>Deicing</source>
        <translation>Deicing</translation>
    </message>
    <message>
        <source>SWV</source>
        <translation>SWV</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>Software version</translation>
    </message>
    <message>
        <source>CBV</source>
        <translation>CBV</translation>
    </message>
    <message>
        <source>Circuit board version</source>
        <translation>Circuit board version</translation>
    </message>
    <message>
        <source>SNR</source>
        <translation>SNR</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Supply Air flow</source>
        <translation>Supply Air flow</translation>
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
        <translation>DL1</translation>
    </message>
    <message>
        <source>H:M</source>
        <translation>H:M</translation>
    </message>
    <message>
        <source>DL2</source>
        <translation>DL2</translation>
    </message>
    <message>
        <source>DL3</source>
        <translation>DL3</translation>
    </message>
    <message>
        <source>DL4</source>
        <translation>DL4</translation>
    </message>
    <message>
        <source>DL5</source>
        <translation>DL5</translation>
    </message>
    <message>
        <source>DSM</source>
        <translation>DSM</translation>
    </message>
    <message>
        <source>Duration sleep mode</source>
        <translation>Duration sleep mode</translation>
    </message>
    <message>
        <source>DTM</source>
        <translation>DTM</translation>
    </message>
    <message>
        <source>Duration turbo mode</source>
        <translation>Duration turbo mode</translation>
    </message>
    <message>
        <source>D1R</source>
        <translation>D1R</translation>
    </message>
    <message>
        <source>Duration Comfort (1st room)</source>
        <translation>Duration Comfort (1st room)</translation>
    </message>
    <message>
        <source>DDF</source>
        <translation>DDF</translation>
    </message>
    <message>
        <source>Duration defrosting</source>
        <translation>Duration defrosting</translation>
    </message>
    <message>
        <source>DMV</source>
        <translation>DMV</translation>
    </message>
    <message>
        <source>Duration minimum ventilation</source>
        <translation>Duration minimum ventilation</translation>
    </message>
    <message>
        <source>DWI</source>
        <translation>DWI</translation>
    </message>
    <message>
        <source>Duration water insertion</source>
        <translation>Duration water insertion</translation>
    </message>
    <message>
        <source>DHI</source>
        <translation>DHI</translation>
    </message>
    <message>
        <source>Duration humidity input</source>
        <translation>Duration humidity input</translation>
    </message>
    <message>
        <source>Duration CO2 insertion</source>
        <translation>Duration CO2 insertion</translation>
    </message>
    <message>
        <source>Duration humidity and CO2 insertion</source>
        <translation>Duration humidity and CO2 insertion</translation>
    </message>
    <message>
        <source>DRA</source>
        <translation>DRA</translation>
    </message>
    <message>
        <source>Duration humidity reduction (absolute)</source>
        <translation>Duration humidity reduction (absolute)</translation>
    </message>
    <message>
        <source>DRR</source>
        <translation>DRR</translation>
    </message>
    <message>
        <source>Duration humidity reduction (relative)</source>
        <translation>Duration humidity reduction (relative)</translation>
    </message>
    <message>
        <source>DCO</source>
        <translation>DCO</translation>
    </message>
    <message>
        <source>Duration cooling</source>
        <translation>Duration cooling</translation>
    </message>
    <message>
        <source>Duration CO2 reduction</source>
        <translation>Duration CO2 reduction</translation>
    </message>
    <message>
        <source>HRU</source>
        <translation>HRU</translation>
    </message>
    <message>
        <source>Humidity reduction mode used</source>
        <translation>Humidity reduction mode used</translation>
    </message>
    <message>
        <source>HRN</source>
        <translation>HRN</translation>
    </message>
    <message>
        <source>Humidity reduction mode not used</source>
        <translation>Humidity reduction mode not used</translation>
    </message>
    <message>
        <source>EXE</source>
        <translation>EXE</translation>
    </message>
    <message>
        <source>Wh</source>
        <translation>Wh</translation>
    </message>
    <message>
        <source>Extracted energy</source>
        <translation>Extracted energy</translation>
    </message>
    <message>
        <source>REE</source>
        <translation>REE</translation>
    </message>
    <message>
        <source>Recovered energy</source>
        <translation>Recovered energy</translation>
    </message>
    <message>
        <source>PCO</source>
        <translation>PCO</translation>
    </message>
    <message>
        <source>Power consumption</source>
        <translation>Power consumption</translation>
    </message>
    <message>
        <source>COE</source>
        <translation>COE</translation>
    </message>
    <message>
        <source>Cooling energy</source>
        <translation>Cooling energy</translation>
    </message>
    <message>
        <source>AEX</source>
        <translation>AEX</translation>
    </message>
    <message>
        <source>m³</source>
        <translation>m³</translation>
    </message>
    <message>
        <source>Air exchanged</source>
        <translation>Air exchanged</translation>
    </message>
    <message>
        <source>WAR</source>
        <translation>WAR</translation>
    </message>
    <message>
        <source>g</source>
        <translation>g</translation>
    </message>
    <message>
        <source>Water removed</source>
        <translation>Water removed</translation>
    </message>
    <message>
        <source>ES</source>
        <translation>ES</translation>
    </message>
    <message>
        <source>Error state</source>
        <translation>Error state</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>ge1</source>
        <translation>ge1</translation>
    </message>
    <message>
        <source>general error</source>
        <translation>general error</translation>
    </message>
    <message>
        <source>ge2</source>
        <translation>ge2</translation>
    </message>
    <message>
        <source>general error 2</source>
        <translation>general error 2</translation>
    </message>
    <message>
        <source>se</source>
        <translation>se</translation>
    </message>
    <message>
        <source>sensor error</source>
        <translation>sensor error</translation>
    </message>
    <message>
        <source>QEU</source>
        <translation>QEU</translation>
    </message>
    <message>
        <source>Extract air quality (uncor.)</source>
        <translation>Extract air quality (uncor.)</translation>
    </message>
    <message>
        <source> QSU</source>
        <translation> QSU</translation>
    </message>
    <message>
        <source>Supply air quality  (uncor.)</source>
        <translation>Supply air quality  (uncor.)</translation>
    </message>
    <message>
        <source>EFN</source>
        <translation>EFN</translation>
    </message>
    <message>
        <source>ELN</source>
        <translation>ELN</translation>
    </message>
    <message>
        <source>ECO</source>
        <translation>ECO</translation>
    </message>
    <message>
        <source>VPE</source>
        <translation>VPE</translation>
    </message>
    <message>
        <source>VBY</source>
        <translation>VBY</translation>
    </message>
    <message>
        <source>VBA</source>
        <translation>VBA</translation>
    </message>
    <message>
        <source>VPS</source>
        <translation>VPS</translation>
    </message>
    <message>
        <source>TPE</source>
        <translation>TPE</translation>
    </message>
    <message>
        <source>TBY</source>
        <translation>TBY</translation>
    </message>
    <message>
        <source>TBA</source>
        <translation>TBA</translation>
    </message>
    <message>
        <source>TPS</source>
        <translation>TPS</translation>
    </message>
    <message>
        <source>FSF</source>
        <translation>FSF</translation>
    </message>
    <message>
        <source>FEF</source>
        <translation>FEF</translation>
    </message>
    <message>
        <source>DIP</source>
        <translation>DIP</translation>
    </message>
    <message>
        <source>FSC</source>
        <translation>FSC</translation>
    </message>
    <message>
        <source>FEC</source>
        <translation>FEC</translation>
    </message>
    <message>
        <source>CSU</source>
        <translation>CSU</translation>
    </message>
    <message>
        <source>CFA</source>
        <translation>CFA</translation>
    </message>
    <message>
        <source>KU</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>CA</translation>
    </message>
    <message>
        <source>LGZ</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>FSS</translation>
    </message>
    <message>
        <source>LGA</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>FSE</translation>
    </message>
    <message>
        <source>TAB</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>TEX</translation>
    </message>
    <message>
        <source>FAB</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>HEX</translation>
    </message>
    <message>
        <source>TAU</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>TOU</translation>
    </message>
    <message>
        <source>LQA</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>QEA</translation>
    </message>
    <message>
        <source>LQZ</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>QSA</translation>
    </message>
    <message>
        <source>ZSB</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>DSE</translation>
    </message>
    <message>
        <source>ZCO</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>DC2I</translation>
    </message>
    <message>
        <source>ZFC</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>DHCI</translation>
    </message>
    <message>
        <source>ZC2</source>
        <translatorcomment>Abbreviation from the fixed text table, written in the other system language.</translatorcomment>
        <translation>DC2R</translation>
    </message>
</context>
<context>
    <name>CFanBase</name>
    <message>
        <source>Please connect your application via the USB cable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking for new devices...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open COM port for %1.
Please switch your %2 off and then on again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not respond - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to set startup mode for application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not respond! </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 detected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The %1 did not (correctly) respond - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- The %1 responded with the wrong packet - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error sending data to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update process failed. Please switch off your %1.
Then switch in on again and retry the update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not (correctly) respond - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did respond with the wrong packet - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware image for the %1 is missing or damaged.
Nothing was sent to the %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFanValues</name>
    <message>
        <source>Humidity reduction</source>
        <translation>Humidity reduction</translation>
    </message>
    <message>
        <source>Humidity reduction (1st room)</source>
        <translation>Humidity reduction (1st room)</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The folder &apos;%1&apos; for the single-instance check cannot be written.</source>
        <translation>The folder &apos;%1&apos; for the single-instance check cannot be written.</translation>
    </message>
</context>
</TS>
