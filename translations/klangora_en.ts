<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="da">
<context>
    <name>TForm1</name>
    <message>
        <source>Stop al lyd</source>
        <translation>Stop all sound</translation>
    </message>
</context>
<context>
    <name>klangora</name>
    <message>
        <source>Sprog</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Åbn stemning …</source>
        <translation>Open tuning …</translation>
    </message>
    <message>
        <source>Gem stemning …</source>
        <translation>Save tuning …</translation>
    </message>
    <message>
        <source>Oktav: %1</source>
        <translation>Octave: %1</translation>
    </message>
    <message>
        <source>kromatisk opstillin.</source>
        <translation>chromatic arrangement.</translation>
    </message>
    <message>
        <source>Den rene kvint</source>
        <translation>The pure fifth</translation>
    </message>
    <message>
        <source>Grundtonen</source>
        <translation>The root</translation>
    </message>
    <message>
        <source>Den rene terts</source>
        <translation>The pure third</translation>
    </message>
    <message>
        <source>Vælg TONEART / GRUNDTONE</source>
        <translation>Choose KEY / ROOT</translation>
    </message>
    <message>
        <source>Hør en REN tre-</source>
        <translation>Hear a PURE tri-</translation>
    </message>
    <message>
        <source>klang og treklangen</source>
        <translation>ad and the triad</translation>
    </message>
    <message>
        <source>i DEN AKTUELLE</source>
        <translation>in THE CURRENT</translation>
    </message>
    <message>
        <source>STEMNING</source>
        <translation>TUNING</translation>
    </message>
    <message>
        <source>Du kan få vist akkorderne i </source>
        <translation>You can see the chords in </translation>
    </message>
    <message>
        <source>Hør en lille </source>
        <translation>Hear a little </translation>
    </message>
    <message>
        <source>4-stemmig sats</source>
        <translation>four-part setting</translation>
    </message>
    <message>
        <source>i den valgte</source>
        <translation>in the chosen</translation>
    </message>
    <message>
        <source>Vælg TREKLANG eller SANG</source>
        <translation>Choose TRIAD or SONG</translation>
    </message>
    <message>
        <source>Vælg </source>
        <translation>Choose </translation>
    </message>
    <message>
        <source> toneart.</source>
        <translation> key.</translation>
    </message>
    <message>
        <source>.. og med </source>
        <translation>.. and with </translation>
    </message>
    <message>
        <source>mere kromatik</source>
        <translation>chromatics</translation>
    </message>
    <message>
        <source>Billede af en treklang</source>
        <translation>Picture of a triad</translation>
    </message>
    <message>
        <source>Her kan du få vist frekvenser, centværdier eller afvigelse fra den rene kvint og den rene terts.</source>
        <translation>Here you can see frequencies, cent values or the deviation from the pure fifth and the pure third.</translation>
    </message>
    <message>
        <source>Vis afvigelsen fra den RENE terts i cent</source>
        <translation>Show deviation from PURE third in cent</translation>
    </message>
    <message>
        <source>Vis afvigelsen fra den RENE kvint i cent</source>
        <translation>Show deviation from PURE fifth in cent</translation>
    </message>
    <message>
        <source>Vis grundtonens CENT-værdi</source>
        <translation>Show the root&apos;s CENT value</translation>
    </message>
    <message>
        <source>Vis grundtonens FREKVENS</source>
        <translation>Show the root&apos;s FREQUENCY</translation>
    </message>
    <message>
        <source>Det er lettest at se systemet i kvint-opstilling!</source>
        <translation>The system is easiest to see in the fifths arrangement!</translation>
    </message>
    <message>
        <source>Hør en ren treklang og treklangen i den aktuelle stemning</source>
        <translation>Hear a pure triad and the triad in the current tuning</translation>
    </message>
    <message>
        <source>Hør en lille 4-stemmig sats i den valgte toneart</source>
        <translation>Hear a little four-part setting in the chosen key</translation>
    </message>
    <message>
        <source>Hør en lille 4-stemmig sats med mere kromatik i den valgte toneart</source>
        <translation>Hear a little four-part setting with more chromaticism in the chosen key</translation>
    </message>
    <message>
        <source>Tal for tonerne</source>
        <translation>Numbers for the tones</translation>
    </message>
    <message>
        <source>Pil-op hæver og pil-ned sænker tonen 1/20 cent, med Shift 1 cent; Home sætter den 30 cent over den ligesvævende, End 30 cent under.</source>
        <translation>Up raises and Down lowers the tone by 1/20 cent, with Shift by 1 cent; Home puts it 30 cent above equal temperament, End 30 cent below.</translation>
    </message>
    <message>
        <source>Klangora: Lyt til dur-treklange i forskellige stemninger!</source>
        <translation>Klangora: Listen to major triads in different tunings!</translation>
    </message>
    <message>
        <source>H</source>
        <translation>B</translation>
    </message>
    <message>
        <source>Klik på en tone og brug så piletasterne, hvis du vil flytte den.</source>
        <translation>Click a tone and then use the arrow keys if you want to move it.</translation>
    </message>
    <message>
        <source>Brug piletasterne &quot;pil-op&quot; og &quot;pil-ned&quot; til at flytte tonen.</source>
        <translation>Use the &quot;Up&quot; and &quot;Down&quot; arrow keys to move the tone.</translation>
    </message>
    <message>
        <source>vis i KVINT-opstilling</source>
        <translation>show in FIFTHS arrangement</translation>
    </message>
    <message>
        <source>vis i KROMATISK opstilling</source>
        <translation>show in CHROMATIC arrangement</translation>
    </message>
    <message>
        <source>Historiske stemninger</source>
        <translation>Historical temperaments</translation>
    </message>
    <message>
        <source>Pythagoræisk</source>
        <translation>Pythagorean</translation>
    </message>
    <message>
        <source>Pythagoræisk stemning</source>
        <translation>Pythagorean tuning</translation>
    </message>
    <message>
        <source>Ren</source>
        <translation>Just</translation>
    </message>
    <message>
        <source>Ren stemning</source>
        <translation>Just intonation</translation>
    </message>
    <message>
        <source>Prætoriansk</source>
        <translation>Praetorius</translation>
    </message>
    <message>
        <source>Prætoriansk stemning</source>
        <translation>Praetorius tuning</translation>
    </message>
    <message>
        <source>Ligesvævende</source>
        <translation>Equal</translation>
    </message>
    <message>
        <source>Ligesvævende stemning</source>
        <translation>Equal temperament</translation>
    </message>
    <message>
        <source>Din Egen Stemning!</source>
        <translation>Your Own Tuning!</translation>
    </message>
    <message>
        <source>klangora: %1
Skriv »klangora --help« for at se, hvad programmet forstår.
</source>
        <translation>klangora: %1
Type &apos;klangora --help&apos; to see what the program understands.
</translation>
    </message>
    <message>
        <source>Klangora: lyt til dur-treklange i forskellige stemninger.
Med en Scala-stemning (.scl) som argument åbnes den, når vinduet vises.</source>
        <translation>Klangora: listen to major triads in different tunings.
With a Scala tuning (.scl) as argument, it opens when the window shows.</translation>
    </message>
    <message>
        <source>Vis denne hjælp og afslut.</source>
        <translation>Show this help and quit.</translation>
    </message>
    <message>
        <source>Vis programmets version og afslut.</source>
        <translation>Show the program&apos;s version and quit.</translation>
    </message>
    <message>
        <source>Vis vinduet forstørret: 100, 125, 150, 175 eller 200 procent.</source>
        <translation>Show the window enlarged: 100, 125, 150, 175 or 200 percent.</translation>
    </message>
    <message>
        <source>PROCENT</source>
        <translation>PERCENT</translation>
    </message>
    <message>
        <source>Vis programmet på dansk (da) eller engelsk (en).</source>
        <translation>Show the program in Danish (da) or English (en).</translation>
    </message>
    <message>
        <source>Vis vinduet på hele skærmen.</source>
        <translation>Show the window on the whole screen.</translation>
    </message>
    <message>
        <source>FIL</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>En Scala-stemning (.scl), der åbnes ved start.</source>
        <translation>A Scala tuning (.scl) to open at start.</translation>
    </message>
    <message>
        <source>[FIL]</source>
        <translation>[FILE]</translation>
    </message>
    <message>
        <source>ukendt tilvalg »%1%2«</source>
        <translation>unknown option &apos;%1%2&apos;</translation>
    </message>
    <message>
        <source>kun én stemningsfil ad gangen, ikke %1</source>
        <translation>only one tuning file at a time, not %1</translation>
    </message>
    <message>
        <source>--zoom skal være 100, 125, 150, 175 eller 200, ikke »%1«</source>
        <translation>--zoom must be 100, 125, 150, 175 or 200, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--lang skal være da eller en, ikke »%1«</source>
        <translation>--lang must be da or en, not &apos;%1&apos;</translation>
    </message>
</context>
</TS>
