<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="da">
<context>
    <name>ExamplesMenu</name>
    <message>
        <source>Eksempler</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>Koral</source>
        <translation>Chorale</translation>
    </message>
    <message>
        <source>Jazz-koral</source>
        <translation>Jazz chorale</translation>
    </message>
    <message>
        <source>Kadence I–IV–V–I i alle dur-tonearter, rundt i kvintcirklen</source>
        <translation>Cadence I–IV–V–I in every major key, round the circle of fifths</translation>
    </message>
    <message>
        <source>%1 i %2-dur</source>
        <translation>%1 in %2 major</translation>
    </message>
</context>
<context>
    <name>ExercisePage</name>
    <message>
        <source>Øvelsens besked</source>
        <translation>The exercise&apos;s message</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Points</translation>
    </message>
</context>
<context>
    <name>ExerciseTexts</name>
    <message>
        <source>den store terts </source>
        <translation>the major third </translation>
    </message>
    <message>
        <source>kvinten </source>
        <translation>the fifth </translation>
    </message>
</context>
<context>
    <name>ExercisesOpener</name>
    <message>
        <source>Øvelser …</source>
        <translation>Exercises …</translation>
    </message>
</context>
<context>
    <name>ExercisesWindow</name>
    <message>
        <source>Ren eller tempereret?</source>
        <translation>Pure or tempered?</translation>
    </message>
    <message>
        <source>Stem rent</source>
        <translation>Tune pure</translation>
    </message>
    <message>
        <source>Hvilken stemning?</source>
        <translation>Which temperament?</translation>
    </message>
    <message>
        <source>Fremskridt</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Øvelser</source>
        <translation>Exercises</translation>
    </message>
</context>
<context>
    <name>MusicWindow</name>
    <message>
        <source>Stemning: %1</source>
        <translation>Tuning: %1</translation>
    </message>
    <message>
        <source>B skifter til: %1</source>
        <translation>B switches to: %1</translation>
    </message>
    <message>
        <source>Spil</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Musik</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Intet stykke åbnet</source>
        <translation>No piece opened</translation>
    </message>
    <message>
        <source>Spil eller hold pause (P)</source>
        <translation>Play or pause (P)</translation>
    </message>
    <message>
        <source>Til start</source>
        <translation>To the start</translation>
    </message>
    <message>
        <source>Tilbage til begyndelsen</source>
        <translation>Back to the beginning</translation>
    </message>
    <message>
        <source>Gem som lyd …</source>
        <translation>Save as sound …</translation>
    </message>
    <message>
        <source>Gem stykket som lyd</source>
        <translation>Save the piece as sound</translation>
    </message>
    <message>
        <source>Position i stykket</source>
        <translation>Position in the piece</translation>
    </message>
    <message>
        <source>Tempo i procent</source>
        <translation>Tempo in percent</translation>
    </message>
    <message>
        <source>&amp;Tempo:</source>
        <translation>&amp;Tempo:</translation>
    </message>
    <message>
        <source>Musikken »%1« kan ikke åbnes: %2</source>
        <translation>The music &quot;%1&quot; cannot be opened: %2</translation>
    </message>
    <message>
        <source>Lyden kan ikke gemmes som »%1«: det er selve stykket. Vælg et andet navn.</source>
        <translation>The sound cannot be saved as &quot;%1&quot;: that is the piece itself. Choose another name.</translation>
    </message>
    <message>
        <source>Stykke: %1</source>
        <translation>Piece: %1</translation>
    </message>
    <message>
        <source>Musik: %1</source>
        <translation>Music: %1</translation>
    </message>
    <message>
        <source>Gem som lyd</source>
        <translation>Save as sound</translation>
    </message>
    <message>
        <source>WAV-lyd (*.wav)</source>
        <translation>WAV sound (*.wav)</translation>
    </message>
    <message>
        <source>Gemmer »%1« som lyd …</source>
        <translation>Saving &quot;%1&quot; as sound …</translation>
    </message>
    <message>
        <source>Annuller</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PureOrTemperedPage</name>
    <message>
        <source>1: det første</source>
        <translation>1: the first</translation>
    </message>
    <message>
        <source>2: det andet</source>
        <translation>2: the second</translation>
    </message>
    <message>
        <source>Spil igen (mellemrum)</source>
        <translation>Play again (Space)</translation>
    </message>
    <message>
        <source>Næste (Enter)</source>
        <translation>Next (Enter)</translation>
    </message>
    <message>
        <source>To intervaller lyder efter hinanden, det ene rent, det andet tempereret. Hvilket var rent? Tryk 1 for det første, 2 for det andet; mellemrum spiller dem igen. Tyve spørgsmål, og de bliver sværere, jo flere du svarer rigtigt på.</source>
        <translation>Two intervals sound one after the other, one pure, the other tempered. Which was pure? Press 1 for the first, 2 for the second; Space plays them again. Twenty questions, and they get harder the more you answer right.</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Store tertser</source>
        <translation>Major thirds</translation>
    </message>
    <message>
        <source>Kvinter</source>
        <translation>Fifths</translation>
    </message>
    <message>
        <source>Begge</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>Start (Enter)</source>
        <translation>Start (Enter)</translation>
    </message>
    <message>
        <source>Vælg interval, og tryk Enter for at begynde.</source>
        <translation>Choose the interval and press Enter to begin.</translation>
    </message>
    <message>
        <source>Rigtige: 0 af 0</source>
        <translation>Right: 0 of 0</translation>
    </message>
    <message>
        <source>Spørgsmål %1 af %2: hvilket interval var rent? Tryk 1 for det første, 2 for det andet.</source>
        <translation>Question %1 of %2: which interval was pure? Press 1 for the first, 2 for the second.</translation>
    </message>
    <message>
        <source>Rigtige: %1 af %2</source>
        <translation>Right: %1 of %2</translation>
    </message>
    <message>
        <source>Rigtigt!</source>
        <translation>Right!</translation>
    </message>
    <message>
        <source>Forkert: det rene var nummer %1.</source>
        <translation>Wrong: the pure one was number %1.</translation>
    </message>
    <message>
        <source>%1 Det tempererede var %2 cent for %3. Tryk Enter for næste spørgsmål.</source>
        <translation>%1 The tempered one was %2 cent too %3. Press Enter for the next question.</translation>
    </message>
    <message>
        <source>bredt</source>
        <translation>wide</translation>
    </message>
    <message>
        <source>smalt</source>
        <translation>narrow</translation>
    </message>
    <message>
        <source>%1 svævninger i sekundet i en stor terts på C</source>
        <translation>%1 beats a second in a major third on C</translation>
    </message>
    <message>
        <source> svævninger i sekundet</source>
        <translation> beats a second</translation>
    </message>
    <message>
        <source>%1%2 i en kvint på C</source>
        <translation>%1%2 in a fifth on C</translation>
    </message>
    <message>
        <source>Ren eller tempereret: %1 af %2 rigtige. Du hører forskel ned til %3 cent; det svarer til %4.</source>
        <translation>Pure or tempered: %1 of %2 right. You hear a difference down to %3 cent; that is %4.</translation>
    </message>
    <message>
        <source> og </source>
        <translation> and </translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <source>Scroll Left</source>
        <translation>Scroll Left</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>Scroll Right</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Stop al lyd</source>
        <translation>Stop all sound</translation>
    </message>
</context>
<context>
    <name>TriadTable</name>
    <message>
        <source>%1-mol</source>
        <translation>%1 minor</translation>
    </message>
    <message>
        <source>Mol-treklange i musikken</source>
        <translation>Minor triads in the music</translation>
    </message>
    <message>
        <source>Dur- og mol-treklange i musikken</source>
        <translation>Major and minor triads in the music</translation>
    </message>
    <message>
        <source>Ingen mol-treklang klinger nu</source>
        <translation>No minor triad sounds now</translation>
    </message>
    <message>
        <source>Ingen treklang klinger nu</source>
        <translation>No triad sounds now</translation>
    </message>
    <message>
        <source>&amp;Dur-treklange</source>
        <translation>&amp;Major triads</translation>
    </message>
    <message>
        <source>M&amp;ol-treklange</source>
        <translation>M&amp;inor triads</translation>
    </message>
    <message>
        <source>B&amp;egge</source>
        <translation>B&amp;oth</translation>
    </message>
    <message>
        <source>%1-dur</source>
        <translation>%1 major</translation>
    </message>
    <message>
        <source>Dur-treklange i musikken</source>
        <translation>Major triads in the music</translation>
    </message>
    <message>
        <source>Treklang</source>
        <translation>Triad</translation>
    </message>
    <message>
        <source>Klinger</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Andel</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Terts fra ren</source>
        <translation>Third from pure</translation>
    </message>
    <message>
        <source>Kvint fra ren</source>
        <translation>Fifth from pure</translation>
    </message>
    <message>
        <source>Tabellens hjørne</source>
        <translation>The table&apos;s corner</translation>
    </message>
    <message>
        <source>Rul lodret</source>
        <translation>Scroll vertically</translation>
    </message>
    <message>
        <source>Rul vandret</source>
        <translation>Scroll horizontally</translation>
    </message>
    <message>
        <source>Ingen dur-treklang klinger nu</source>
        <translation>No major triad sounds now</translation>
    </message>
    <message>
        <source>Klinger nu: %1</source>
        <translation>Sounding now: %1</translation>
    </message>
</context>
<context>
    <name>TunePurePage</name>
    <message>
        <source>Hør (mellemrum)</source>
        <translation>Listen (Space)</translation>
    </message>
    <message>
        <source>Hæv (pil op)</source>
        <translation>Raise (Up arrow)</translation>
    </message>
    <message>
        <source>Sænk (pil ned)</source>
        <translation>Lower (Down arrow)</translation>
    </message>
    <message>
        <source>Ren nu (Enter)</source>
        <translation>Pure now (Enter)</translation>
    </message>
    <message>
        <source>En stor terts eller en kvint i din stemning er gjort uren. Hold mellemrum nede for at høre den, og flyt tonen med pil op og pil ned (med Shift en hel cent ad gangen), til svævningerne er væk; tryk så Enter. Fem runder; din stemning kommer tilbage bagefter.</source>
        <translation>A major third or a fifth in your tuning has been made impure. Hold Space to hear it, and move the tone with Up and Down (with Shift a whole cent at a time) until the beats are gone; then press Enter. Five rounds; your tuning comes back afterwards.</translation>
    </message>
    <message>
        <source>Start (Enter)</source>
        <translation>Start (Enter)</translation>
    </message>
    <message>
        <source>Tryk Enter for at begynde.</source>
        <translation>Press Enter to begin.</translation>
    </message>
    <message>
        <source>Runde %1 af %2</source>
        <translation>Round %1 of %2</translation>
    </message>
    <message>
        <source>Stem %1 ren. Tonen %2 flyttes. Hold mellemrum nede for at høre den; tryk Enter, når den er ren.</source>
        <translation>Tune %1 pure. The tone %2 moves. Hold Space to hear it; press Enter when it is pure.</translation>
    </message>
    <message>
        <source>Stem rent: i gennemsnit %1 cent fra rent, %2 svævninger i sekundet.</source>
        <translation>Tune pure: on average %1 cent from pure, %2 beats a second.</translation>
    </message>
    <message>
        <source>for bred</source>
        <translation>too wide</translation>
    </message>
    <message>
        <source>for smal</source>
        <translation>too narrow</translation>
    </message>
    <message>
        <source>Tryk Enter for at slutte.</source>
        <translation>Press Enter to finish.</translation>
    </message>
    <message>
        <source>Tryk Enter for næste runde.</source>
        <translation>Press Enter for the next round.</translation>
    </message>
    <message>
        <source>Den endte %1 cent %2, med %3 svævninger i sekundet. %4</source>
        <translation>It ended %1 cent %2, with %3 beats a second. %4</translation>
    </message>
    <message>
        <source>Runde %1 af %2 · i gennemsnit %3 cent fra rent</source>
        <translation>Round %1 of %2 · on average %3 cent from pure</translation>
    </message>
</context>
<context>
    <name>WhichTemperamentPage</name>
    <message>
        <source>Spil igen (mellemrum)</source>
        <translation>Play again (Space)</translation>
    </message>
    <message>
        <source>Næste (Enter)</source>
        <translation>Next (Enter)</translation>
    </message>
    <message>
        <source>Vælg to til fire stemninger. En række kadencer gennem flere tonearter lyder i en af dem; tryk 1 til 4 for den, du tror, det var. Mellemrum spiller den igen.</source>
        <translation>Choose two to four temperaments. A row of cadences through several keys sounds in one of them; press 1 to 4 for the one you think it was. Space plays it again.</translation>
    </message>
    <message>
        <source>Stemninger</source>
        <translation>Temperaments</translation>
    </message>
    <message>
        <source>Start (Enter)</source>
        <translation>Start (Enter)</translation>
    </message>
    <message>
        <source>Vælg to til fire stemninger, og tryk Enter for at begynde.</source>
        <translation>Choose two to four temperaments and press Enter to begin.</translation>
    </message>
    <message>
        <source>Vælg mindst to og højst fire stemninger.</source>
        <translation>Choose at least two and at most four temperaments.</translation>
    </message>
    <message>
        <source>Rigtige: 0 af 0</source>
        <translation>Right: 0 of 0</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Spørgsmål %1 af %2: hvilken stemning hørte du? %3.</source>
        <translation>Question %1 of %2: which temperament did you hear? %3.</translation>
    </message>
    <message>
        <source>Hvilken stemning: %1 af %2 rigtige.</source>
        <translation>Which temperament: %1 of %2 right.</translation>
    </message>
    <message>
        <source>Rigtigt: det var %1.</source>
        <translation>Right: it was %1.</translation>
    </message>
    <message>
        <source>Forkert: det var %1, ikke %2.</source>
        <translation>Wrong: it was %1, not %2.</translation>
    </message>
    <message>
        <source>Tryk Enter for at slutte.</source>
        <translation>Press Enter to finish.</translation>
    </message>
    <message>
        <source>Tryk Enter for næste spørgsmål.</source>
        <translation>Press Enter for the next question.</translation>
    </message>
    <message>
        <source>%1 Diagrammet viser %2; de valgte stemninger er mest forskellige i dur-treklangene på %3. %4</source>
        <translation>%1 The diagram shows %2; the chosen temperaments differ most in the major triads on %3. %4</translation>
    </message>
    <message>
        <source>Rigtige: %1 af %2</source>
        <translation>Right: %1 of %2</translation>
    </message>
</context>
<context>
    <name>WindowExerciseTuning</name>
    <message>
        <source>Stem rent: lyt, og flyt tonen, til svævningerne er væk.</source>
        <translation>Tune pure: listen, and move the tone until the beats are gone.</translation>
    </message>
</context>
<context>
    <name>klangora</name>
    <message>
        <source>Lyd: %1, %2 Hz, %3 rammer pr. periode, %4 ms forsinkelse.</source>
        <translation>Sound: %1, %2 Hz, %3 frames per period, %4 ms latency.</translation>
    </message>
    <message>
        <source>Lyd: %1.</source>
        <translation>Sound: %1.</translation>
    </message>
    <message>
        <source>Ingen JACK-server; lyden går nu gennem PulseAudio.</source>
        <translation>No JACK server; the sound now goes through PulseAudio.</translation>
    </message>
    <message>
        <source>--audio skal være auto, jack eller pulse, ikke »%1«</source>
        <translation>--audio must be auto, jack or pulse, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>SYSTEM</source>
        <translation>SYSTEM</translation>
    </message>
    <message>
        <source>Send lyden til SYSTEM: auto (JACK, hvis en JACK-server kører, ellers PulseAudio), jack (JACK: få millisekunders forsinkelse, MIDI på samplet) eller pulse (PulseAudio: 10-20 ms forsinkelse).</source>
        <translation>Send the sound to SYSTEM: auto (JACK if a JACK server runs, else PulseAudio), jack (JACK: a few milliseconds of latency, MIDI to the sample) or pulse (PulseAudio: 10-20 ms latency).</translation>
    </message>
    <message>
        <source>En Scala-stemning (.scl), et stykke musik (.mid) eller en lektion (.lektion), der åbnes ved start.</source>
        <translation>A Scala tuning (.scl), a piece of music (.mid) or a lesson (.lektion) to open at the start.</translation>
    </message>
    <message>
        <source>%1: »%2«, %3 trin
</source>
        <translation>%1: &quot;%2&quot;, %3 steps
</translation>
    </message>
    <message>
        <source>Læs lektionen FIL (.lektion) som programmet ville åbne den, sig hvad der er galt, linje for linje, og afslut.</source>
        <translation>Read the lesson FILE (.lektion) as the program would open it, say what is wrong, line by line, and quit.</translation>
    </message>
    <message>
        <source>Gem stemningens diagram med aflæsningerne og tonernes tabel som FIL (.pdf, .svg eller .png, med --zoom i den størrelse) eller tabellen alene (.csv), uden vindue.</source>
        <translation>Write the tuning's diagram with the readouts and the tones' table to FILE (.pdf, .svg or .png, at the size --zoom gives) or the table alone (.csv), without a window.</translation>
    </message>
    <message>
        <source>--export-diagram skal have en fil, der ender på .pdf, .svg, .png eller .csv, ikke »%1«</source>
        <translation>--export-diagram needs a file ending in .pdf, .svg, .png or .csv, not '%1'</translation>
    </message>
    <message>
        <source>udskriv diagrammet og stemningens tabel</source>
        <translation>print the diagram and the tuning's table</translation>
    </message>
    <message>
        <source>Hvilke treklange --triads skriver: major (dur, som uden), minor (mol) eller both (begge).</source>
        <translation>Which triads --triads writes: major (as without), minor or both.</translation>
    </message>
    <message>
        <source>--triad-kind skal være major, minor eller both, ikke »%1«</source>
        <translation>--triad-kind must be major, minor or both, not &apos;%1&apos;</translation>
    </message>
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
        <source>1/6-komma middeltone</source>
        <translation>1/6-comma meantone</translation>
    </message>
    <message>
        <source>1/5-komma middeltone</source>
        <translation>1/5-comma meantone</translation>
    </message>
    <message>
        <source>terts</source>
        <translation>third</translation>
    </message>
    <message>
        <source>kvint</source>
        <translation>fifth</translation>
    </message>
    <message>
        <source> (spor %1)</source>
        <translation> (track %1)</translation>
    </message>
    <message>
        <source>Filen er tom.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Filen er ikke en MIDI-fil: den begynder ikke med »MThd«.</source>
        <translation>The file is not a MIDI file: it does not begin with &quot;MThd&quot;.</translation>
    </message>
    <message>
        <source>MIDI-filens hoved er for kort.</source>
        <translation>The MIDI file's header is too short.</translation>
    </message>
    <message>
        <source>MIDI-filen har format 2 (uafhængige mønstre), som ikke kan spilles som ét stykke.</source>
        <translation>The MIDI file has format 2 (independent patterns), which cannot be played as one piece.</translation>
    </message>
    <message>
        <source>MIDI-filen har det ukendte format %1.</source>
        <translation>The MIDI file has the unknown format %1.</translation>
    </message>
    <message>
        <source>MIDI-filen angiver nul tik pr. fjerdedelsnode, så tiden kan ikke regnes ud.</source>
        <translation>The MIDI file gives zero ticks per quarter note, so its time cannot be worked out.</translation>
    </message>
    <message>
        <source>MIDI-filen regner tiden i SMPTE-billeder med en ukendt billedhastighed.</source>
        <translation>The MIDI file counts time in SMPTE frames at an unknown frame rate.</translation>
    </message>
    <message>
        <source>MIDI-filen er afkortet: den slutter før alle sporene%1.</source>
        <translation>The MIDI file is cut short: it ends before all its tracks%1.</translation>
    </message>
    <message>
        <source>Et spor i MIDI-filen angiver en længde, der går ud over filens slutning%1.</source>
        <translation>A track of the MIDI file gives a length that runs past the end of the file%1.</translation>
    </message>
    <message>
        <source>MIDI-filen har en ugyldig hændelse ved byte %2%1.</source>
        <translation>The MIDI file has an invalid event at byte %2%1.</translation>
    </message>
    <message>
        <source>En hændelse går ud over sporets slutning%1.</source>
        <translation>An event runs past the end of its track%1.</translation>
    </message>
    <message>
        <source>MIDI-filen har et umuligt tempo (over 1000 fjerdedele i minuttet)%1.</source>
        <translation>The MIDI file has an impossible tempo (over 1000 quarter notes a minute)%1.</translation>
    </message>
    <message>
        <source>Stykket varer over seks timer; filens tider må være forkerte.</source>
        <translation>The piece lasts over six hours; the file's times must be wrong.</translation>
    </message>
    <message>
        <source>MIDI-filen har ingen toner at spille (kanal 10, slagtøjet, spilles ikke).</source>
        <translation>The MIDI file has no notes to play (channel 10, the percussion, is not played).</translation>
    </message>
    <message>
        <source>Filen er over 16 MiB, for stor til en MIDI-fil.</source>
        <translation>The file is over 16 MiB, too large for a MIDI file.</translation>
    </message>
    <message>
        <source>Filen kan ikke læses.</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>MIDI-filen kan ikke læses.</source>
        <translation>The MIDI file cannot be read.</translation>
    </message>
    <message>
        <source>Stemningen »%1« kan ikke læses.</source>
        <translation>The tuning &quot;%1&quot; cannot be read.</translation>
    </message>
    <message>
        <source>Stemningen »%1« kan ikke bruges: det er ikke en Scala-stemning med 12 toner inden for 30 cent af den ligesvævende.</source>
        <translation>The tuning &quot;%1&quot; cannot be used: it is not a Scala tuning of 12 tones within 30 cent of equal temperament.</translation>
    </message>
    <message>
        <source>Ukendt stemning »%1«. Brug en af %2, et id fra temperamentbiblioteket (%3) eller en .scl-fil.</source>
        <translation>Unknown tuning &quot;%1&quot;. Use one of %2, an id from the temperament library (%3) or a .scl file.</translation>
    </message>
    <message>
        <source>»%1« kan ikke spilles: %2</source>
        <translation>&quot;%1&quot; cannot be played: %2</translation>
    </message>
    <message>
        <source>ukendt klang »%1«; vælg own, harpsichord, organ eller piano</source>
        <translation>unknown sound &quot;%1&quot;; choose own, harpsichord, organ or piano</translation>
    </message>
    <message>
        <source>Angiv lydfilen med -o UD.wav.</source>
        <translation>Name the sound file with -o OUT.wav.</translation>
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
        <source>Vis denne hjælp og afslut.</source>
        <translation>Show this help and quit.</translation>
    </message>
    <message>
        <source>Vis programmets version og afslut.</source>
        <translation>Show the program&apos;s version and quit.</translation>
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
        <source>ukendt tilvalg »%1%2«</source>
        <translation>unknown option &apos;%1%2&apos;</translation>
    </message>
    <message>
        <source>kun én stemningsfil ad gangen, ikke %1</source>
        <translation>only one tuning file at a time, not %1</translation>
    </message>
    <message>
        <source>--lang skal være da eller en, ikke »%1«</source>
        <translation>--lang must be da or en, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Klangora: lyt til dur-treklange i forskellige stemninger.
Med en Scala-stemning (.scl) som argument åbnes den, når vinduet vises.</source>
        <translation>Klangora: listen to major triads in different tunings.
A Scala tuning (.scl) given as argument is opened when the window shows.</translation>
    </message>
    <message>
        <source>Åbn MIDI-filen FIL og spil den straks.</source>
        <translation>Open the MIDI file FILE and play it at once.</translation>
    </message>
    <message>
        <source>FIL</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Gem MIDI-filen FIL som lyd (WAV, 48 kHz, 16 bit) uden vindue; kræver -o.</source>
        <translation>Save the MIDI file FILE as sound (WAV, 48 kHz, 16 bit) without a window; needs -o.</translation>
    </message>
    <message>
        <source>Lydfilen, --render skriver.</source>
        <translation>The sound file --render writes.</translation>
    </message>
    <message>
        <source>UD.wav</source>
        <translation>OUT.wav</translation>
    </message>
    <message>
        <source>Stemningen, vinduet og stykket begynder i: %1, et id fra temperamentbiblioteket (%2) eller en .scl-fil (uden: pythagorean).</source>
        <translation>The tuning the window and the piece start in: %1, an id from the temperament library (%2) or a .scl file (default: pythagorean).</translation>
    </message>
    <message>
        <source>NAVN</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Skriv for hver dur-treklang i musikken (.mid), hvor længe den klinger, og hvor langt dens terts og kvint ligger fra ren, og afslut.</source>
        <translation>Print for each major triad in the music (.mid) how long it sounds and how far its third and fifth lie from pure, and quit.</translation>
    </message>
    <message>
        <source>FIL.mid</source>
        <translation>FILE.mid</translation>
    </message>
    <message>
        <source>Start med klangen KLANG: own (eget klangbillede), harpsichord (cembalo), organ (kirkeorgel) eller piano (klaver).</source>
        <translation>Start with the sound SOUND: own (the program&apos;s own), harpsichord, organ (church organ) or piano.</translation>
    </message>
    <message>
        <source>KLANG</source>
        <translation>SOUND</translation>
    </message>
    <message>
        <source>Vis vinduet i en anden størrelse: 75, 90, 100, 125, 150, 175 eller 200 procent.</source>
        <translation>Show the window at another size: 75, 90, 100, 125, 150, 175 or 200 percent.</translation>
    </message>
    <message>
        <source>En Scala-stemning (.scl) eller et stykke musik (.mid), der åbnes ved start.</source>
        <translation>A Scala tuning (.scl) or a piece of music (.mid) to open at start.</translation>
    </message>
    <message>
        <source>[FIL]</source>
        <translation>[FILE]</translation>
    </message>
    <message>
        <source>--zoom skal være 75, 90, 100, 125, 150, 175 eller 200, ikke »%1«</source>
        <translation>--zoom must be 75, 90, 100, 125, 150, 175 or 200, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>høje C</source>
        <translation>high C</translation>
    </message>
    <message>
        <source>Stor terts</source>
        <translation>Major third</translation>
    </message>
    <message>
        <source>Kvint</source>
        <translation>Fifth</translation>
    </message>
    <message>
        <source>%1 %2–%3: afviger %4 cent fra ren, svæver %5 gange i sekundet</source>
        <translation>%1 %2–%3: %4 cent from pure, beats %5 times a second</translation>
    </message>
    <message>
        <source>Tonen %1: %2 Hz</source>
        <translation>The tone %1: %2 Hz</translation>
    </message>
    <message>
        <source>Uden mus: Ctrl+piletasterne vælger en tone i diagrammet, kolonne for kolonne og række for række (de hvide c&apos;er springes over). Derefter flytter pil-op og pil-ned tonen, med Shift en hel cent, og Home og End sætter den yderst.</source>
        <translation>Without a mouse: Ctrl+arrow keys choose a tone in the diagram, column by column and row by row (the white c&apos;s are skipped). Then Up and Down move the tone, with Shift a whole cent, and Home and End put it at the far ends.</translation>
    </message>
    <message>
        <source>Spil selv: tasterne A W S E D F T G Y H U J K spiller C til høje C, Z og X skifter oktav, og et tryk på et nodenavn spiller tonen. Hold mellemrum nede, mens en tone er valgt: en terts eller kvint klinger med sin grundtone, en grundtone som durtreklang. Flyt så tonen med piletasterne og hør svævningerne blive langsommere og forsvinde, når intervallet bliver rent. Esc stopper al lyd, ligesom &quot;Stop al lyd&quot; i genvejsmenuen.</source>
        <translation>Play yourself: the keys A W S E D F T G Y H U J K play C to high C, Z and X change the octave, and a press on a note name plays the tone. Hold Space while a tone is chosen: a third or fifth sounds with its root, a root as a major triad. Then move the tone with the arrow keys and hear the beats slow down and vanish as the interval becomes pure. Esc stops all sound, as &quot;Stop all sound&quot; in the context menu does.</translation>
    </message>
    <message>
        <source>Dette er tonen c. Den ligger fast!</source>
        <translation>This is the tone c. It stays fixed!</translation>
    </message>
    <message>
        <source>Grundtonen %1</source>
        <translation>The root %1</translation>
    </message>
    <message>
        <source>Tertsen %1 over %2</source>
        <translation>The third %1 above %2</translation>
    </message>
    <message>
        <source>Kvinten %1 over %2</source>
        <translation>The fifth %1 above %2</translation>
    </message>
    <message>
        <source>Søjle under tertsen over %1</source>
        <translation>Bar under the third above %1</translation>
    </message>
    <message>
        <source>Søjle under kvinten over %1</source>
        <translation>Bar under the fifth above %1</translation>
    </message>
    <message>
        <source>Frekvensen af %1: %2 Hz</source>
        <translation>The frequency of %1: %2 Hz</translation>
    </message>
    <message>
        <source>Centværdien af %1: %2 cent</source>
        <translation>The cent value of %1: %2 cent</translation>
    </message>
    <message>
        <source>Tertsen over %1: afviger %2 cent fra ren</source>
        <translation>The third above %1: %2 cent from pure</translation>
    </message>
    <message>
        <source>Kvinten over %1: afviger %2 cent fra ren</source>
        <translation>The fifth above %1: %2 cent from pure</translation>
    </message>
    <message>
        <source>Toneart %1</source>
        <translation>Key of %1</translation>
    </message>
    <message>
        <source>Tonen %1</source>
        <translation>The tone %1</translation>
    </message>
    <message>
        <source> åbner øvelserne: hør, om et interval er rent, stem det rent, og genkend stemninger.</source>
        <translation> opens the exercises: hear whether an interval is pure, tune it pure, and recognise temperaments.</translation>
    </message>
    <message>
        <source>Taster:</source>
        <translation>Keys:</translation>
    </message>
    <message>
        <source>MIDI-indgange: %1.</source>
        <translation>MIDI inputs: %1.</translation>
    </message>
    <message>
        <source>vælg mærket til venstre i diagrammet</source>
        <translation>choose the mark to the left in the diagram</translation>
    </message>
    <message>
        <source>vælg mærket til højre i diagrammet</source>
        <translation>choose the mark to the right in the diagram</translation>
    </message>
    <message>
        <source>vælg mærket ovenover (grundtone, terts, kvint)</source>
        <translation>choose the mark above (root, third, fifth)</translation>
    </message>
    <message>
        <source>vælg mærket nedenunder</source>
        <translation>choose the mark below</translation>
    </message>
    <message>
        <source>hæv den valgte tone 1/20 cent</source>
        <translation>raise the chosen tone 1/20 cent</translation>
    </message>
    <message>
        <source>sænk den valgte tone 1/20 cent</source>
        <translation>lower the chosen tone 1/20 cent</translation>
    </message>
    <message>
        <source>hæv den valgte tone 1 cent</source>
        <translation>raise the chosen tone 1 cent</translation>
    </message>
    <message>
        <source>sænk den valgte tone 1 cent</source>
        <translation>lower the chosen tone 1 cent</translation>
    </message>
    <message>
        <source>sæt den valgte tone 30 cent over den ligesvævende</source>
        <translation>put the chosen tone 30 cent above equal temperament</translation>
    </message>
    <message>
        <source>sæt den valgte tone 30 cent under den ligesvævende</source>
        <translation>put the chosen tone 30 cent below equal temperament</translation>
    </message>
    <message>
        <source>spil C til høje C</source>
        <translation>play C to high C</translation>
    </message>
    <message>
        <source>en oktav ned</source>
        <translation>one octave down</translation>
    </message>
    <message>
        <source>en oktav op</source>
        <translation>one octave up</translation>
    </message>
    <message>
        <source>lad det valgte mærke klinge: en terts eller kvint med sin grundtone, en grundtone som durtreklang</source>
        <translation>sound the chosen mark: a third or fifth with its root, a root as a major triad</translation>
    </message>
    <message>
        <source>åbn en stemning</source>
        <translation>open a tuning</translation>
    </message>
    <message>
        <source>gem stemningen</source>
        <translation>save the tuning</translation>
    </message>
    <message>
        <source>menuen med historiske stemninger</source>
        <translation>the menu of historical temperaments</translation>
    </message>
    <message>
        <source>stop al lyd</source>
        <translation>stop all sound</translation>
    </message>
    <message>
        <source>spil eller hold pause i et musikstykke</source>
        <translation>play or pause a piece of music</translation>
    </message>
    <message>
        <source>skift til stemningen før den sidste</source>
        <translation>switch to the tuning before the last</translation>
    </message>
    <message>
        <source>åbn øvelserne</source>
        <translation>open the exercises</translation>
    </message>
    <message>
        <source>større</source>
        <translation>larger</translation>
    </message>
    <message>
        <source>mindre</source>
        <translation>smaller</translation>
    </message>
    <message>
        <source>normal størrelse</source>
        <translation>normal size</translation>
    </message>
    <message>
        <source>fuld skærm</source>
        <translation>full screen</translation>
    </message>
    <message>
        <source>hjælp</source>
        <translation>help</translation>
    </message>
    <message>
        <source>Tasterne spiller den store oktav</source>
        <translation>The keys play the great octave</translation>
    </message>
    <message>
        <source>Tasterne spiller den lille oktav</source>
        <translation>The keys play the small octave</translation>
    </message>
    <message>
        <source>Tasterne spiller den enstregede oktav</source>
        <translation>The keys play the one-line octave</translation>
    </message>
    <message>
        <source>Tasterne spiller den tostregede oktav</source>
        <translation>The keys play the two-line octave</translation>
    </message>
    <message>
        <source>Tasterne spiller den trestregede oktav</source>
        <translation>The keys play the three-line octave</translation>
    </message>
    <message>
        <source>%1; Z og X skifter oktav.</source>
        <translation>%1; Z and X change the octave.</translation>
    </message>
    <message>
        <source>Alle kvinter undtagen G#–Eb er 1/6 syntonisk komma for små; G#–Eb tager resten.</source>
        <translation>Every fifth but G#–Eb is 1/6 syntonic comma narrow; G#–Eb takes the rest.</translation>
    </message>
    <message>
        <source>Alle kvinter undtagen G#–Eb er 1/5 syntonisk komma for små; G#–Eb tager resten.</source>
        <translation>Every fifth but G#–Eb is 1/5 syntonic comma narrow; G#–Eb takes the rest.</translation>
    </message>
    <message>
        <source>D–A er et syntonisk komma for lille og F#–C# et skisma for lille; de øvrige kvinter er rene.</source>
        <translation>D–A is a syntonic comma narrow and F#–C# a schisma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>D–A og A–E er hver et halvt syntonisk komma for små og F#–C# et skisma for lille; de øvrige kvinter er rene.</source>
        <translation>D–A and A–E are each half a syntonic comma narrow and F#–C# a schisma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>C–G, G–D, D–A og A–E er hver 1/4 syntonisk komma for små og F#–C# et skisma for lille; de øvrige kvinter er rene.</source>
        <translation>C–G, G–D, D–A and A–E are each 1/4 syntonic comma narrow and F#–C# a schisma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>F–C, C–G, G–D, D–A, A–E og E–H er hver 1/6 pythagoræisk komma for små; de øvrige kvinter er rene.</source>
        <translation>F–C, C–G, G–D, D–A, A–E and E–B are each 1/6 Pythagorean comma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>C–G, G–D, D–A, A–E, E–H og H–F# er hver 1/6 pythagoræisk komma for små; de øvrige kvinter er rene.</source>
        <translation>C–G, G–D, D–A, A–E, E–B and B–F# are each 1/6 Pythagorean comma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>C–G, G–D, D–A, A–E og H–F# er hver 1/5 pythagoræisk komma for små; de øvrige kvinter er rene.</source>
        <translation>C–G, G–D, D–A, A–E and B–F# are each 1/5 Pythagorean comma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>F–C, C–G, G–D, D–A og A–E er 1/6 pythagoræisk komma for små, C#–G#, G#–Eb og Eb–Bb 1/12 for små og Bb–F 1/12 for stor; E–H, H–F# og F#–C# er rene.</source>
        <translation>F–C, C–G, G–D, D–A and A–E are 1/6 Pythagorean comma narrow, C#–G#, G#–Eb and Eb–Bb 1/12 narrow and Bb–F 1/12 wide; E–B, B–F# and F#–C# are pure.</translation>
    </message>
    <message>
        <source>Elleve rene kvinter fra Eb til G#; ulvekvinten G#–Eb er et pythagoræisk komma for lille.</source>
        <translation>Eleven pure fifths from Eb to G#; the wolf fifth G#–Eb is a Pythagorean comma narrow.</translation>
    </message>
    <message>
        <source>Kvinterne er rene, undtagen D–A, F#–C# og Bb–F, der er et syntonisk komma for små, og G#–Eb, der er 41 cent for stor.</source>
        <translation>The fifths are pure, except D–A, F#–C# and Bb–F, which are a syntonic comma narrow, and G#–Eb, which is 41 cent wide.</translation>
    </message>
    <message>
        <source>Alle kvinter undtagen G#–Eb er 1/4 syntonisk komma for små, så de store tertser er rene; ulvekvinten G#–Eb er 36 cent for stor.</source>
        <translation>Every fifth but G#–Eb is 1/4 syntonic comma narrow, so the major thirds are pure; the wolf fifth G#–Eb is 36 cent wide.</translation>
    </message>
    <message>
        <source>Kvinterne fra Eb til F# er mellem 1,3 og 4,1 cent for små, mest D–A; F#–C#, C#–G# og G#–Eb er rene.</source>
        <translation>The fifths from Eb to F# are between 1.3 and 4.1 cent narrow, D–A the most; F#–C#, C#–G# and G#–Eb are pure.</translation>
    </message>
    <message>
        <source>C–G, G–D, D–A og H–F# er hver 1/4 pythagoræisk komma for små; de øvrige kvinter er rene.</source>
        <translation>C–G, G–D, D–A and B–F# are each 1/4 Pythagorean comma narrow; the other fifths are pure.</translation>
    </message>
    <message>
        <source>D–A, A–E, F#–C#, C#–G# og F–C er hver 1/4 pythagoræisk komma for små og G#–Eb 1/4 komma for stor; de øvrige kvinter er rene.</source>
        <translation>D–A, A–E, F#–C#, C#–G# and F–C are each 1/4 Pythagorean comma narrow and G#–Eb 1/4 comma wide; the other fifths are pure.</translation>
    </message>
    <message>
        <source>Alle tolv kvinter er 1/12 pythagoræisk komma (knap 2 cent) for små.</source>
        <translation>All twelve fifths are 1/12 Pythagorean comma (just under 2 cent) narrow.</translation>
    </message>
    <message>
        <source>… og %1 mere</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Du hører en %1-durtreklang, med REN terts og REN kvint</source>
        <translation>You hear a %1 major triad, with PURE third and PURE fifth</translation>
    </message>
    <message>
        <source>Du hører nu en %1-durtreklang stemt i </source>
        <translation>You now hear a %1 major triad tuned in </translation>
    </message>
    <message>
        <source>Koral: En 4-stemmig sats i %1-dur uden kromatik</source>
        <translation>Chorale: a four-part setting in %1 major without chromatics</translation>
    </message>
    <message>
        <source>&quot;Jazz-koral&quot;: En 4-stemmig sats i %1-dur med kromatik</source>
        <translation>&quot;Jazz chorale&quot;: a four-part setting in %1 major with chromatics</translation>
    </message>
    <message>
        <source>Du skal markere hvilken grundtone, der skal anvendes under noderne</source>
        <translation>Mark the root the music is to be played on</translation>
    </message>
    <message>
        <source>Brug lydfonten FIL (.sf2 eller .sf3) til instrumenterne (også med --render).</source>
        <translation>Use the sound font FILE (.sf2 or .sf3) for the instruments (also with --render).</translation>
    </message>
    <message>
        <source>Eget klangbillede</source>
        <translation>Own tone</translation>
    </message>
    <message>
        <source>Cembalo</source>
        <translation>Harpsichord</translation>
    </message>
    <message>
        <source>Kirkeorgel</source>
        <translation>Church organ</translation>
    </message>
    <message>
        <source>Klaver</source>
        <translation>Piano</translation>
    </message>
    <message>
        <source>Stykkets egne instrumenter</source>
        <translation>The piece&apos;s own instruments</translation>
    </message>
    <message>
        <source>Klang</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Lydstyrke</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>&amp;Klang</source>
        <translation>&amp;Sound</translation>
    </message>
    <message>
        <source>Vælg &amp;lydfont …</source>
        <translation>Choose sound &amp;font …</translation>
    </message>
    <message>
        <source>&amp;Klang:</source>
        <translation>&amp;Sound:</translation>
    </message>
    <message>
        <source>&amp;Lydstyrke:</source>
        <translation>&amp;Volume:</translation>
    </message>
    <message>
        <source>Vælg lydfont</source>
        <translation>Choose sound font</translation>
    </message>
    <message>
        <source>Indlæser %1 …</source>
        <translation>Loading %1 …</translation>
    </message>
    <message>
        <source>Lydfonte (*.sf2 *.sf3 *.SF2 *.SF3)</source>
        <translation>Sound fonts (*.sf2 *.sf3 *.SF2 *.SF3)</translation>
    </message>
    <message>
        <source>Kig i:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>Filnavn:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>Filtype:</source>
        <translation>File type:</translation>
    </message>
    <message>
        <source>Vælg</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>Annuller</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Gem stemningen NAVN (som --tuning) i filen, -o giver: .scl, .kbm, .tun eller .syx, og afslut.</source>
        <translation>Save the tuning NAME (as --tuning takes it) in the file -o gives: .scl, .kbm, .tun or .syx, and quit.</translation>
    </message>
    <message>
        <source>Send stemningen på MIDI ud som TILSTAND: scale2 (MTS skala, 2 byte), scale1 (MTS skala, 1 byte), keys (MTS hver tangent) eller off (fra).</source>
        <translation>Send the tuning on MIDI out as MODE: scale2 (MTS scale, 2 bytes), scale1 (MTS scale, 1 byte), keys (MTS every key) or off.</translation>
    </message>
    <message>
        <source>TILSTAND</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>--midi-out skal være scale2, scale1, keys eller off, ikke »%1«</source>
        <translation>--midi-out must be scale2, scale1, keys or off, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Angiv stemningsfilen med -o FIL.scl, FIL.kbm, FIL.tun eller FIL.syx.</source>
        <translation>Give the tuning file with -o FILE.scl, FILE.kbm, FILE.tun or FILE.syx.</translation>
    </message>
    <message>
        <source>»%1« kan ikke skrives.</source>
        <translation>&quot;%1&quot; cannot be written.</translation>
    </message>
    <message>
        <source>MIDI ud</source>
        <translation>MIDI out</translation>
    </message>
    <message>
        <source>MTS skala (2 byte)</source>
        <translation>MTS scale (2 bytes)</translation>
    </message>
    <message>
        <source>MTS skala (1 byte)</source>
        <translation>MTS scale (1 byte)</translation>
    </message>
    <message>
        <source>MTS hver tangent</source>
        <translation>MTS every key</translation>
    </message>
    <message>
        <source>Fra</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Lokal lyd</source>
        <translation>Local sound</translation>
    </message>
</context>
<context>
    <name>LessonPanel</name>
    <message>
        <source>Ikke bestået: %1; der skal %2 % til. Prøv igen i vinduet »Øvelser«.</source>
        <translation>Not passed: %1; %2 % is needed. Try again in the &quot;Exercises&quot; window.</translation>
    </message>
    <message>
        <source>Bestået: %1.</source>
        <translation>Passed: %1.</translation>
    </message>
    <message>
        <source>%1 af %2 rigtige (%3 %)</source>
        <translation>%1 of %2 right (%3 %)</translation>
    </message>
    <message>
        <source>Lektionen er gennemført, men ikke bestået.</source>
        <translation>Lesson completed, but not passed.</translation>
    </message>
    <message>
        <source>Lektionen er bestået.</source>
        <translation>Lesson passed.</translation>
    </message>
    <message>
        <source>Ikke rigtigt.</source>
        <translation>Not right.</translation>
    </message>
    <message>
        <source>Rigtigt.</source>
        <translation>Right.</translation>
    </message>
    <message>
        <source>Trin %1 af %2</source>
        <translation>Step %1 of %2</translation>
    </message>
    <message>
        <source>Øvelse i vinduet »Øvelser«: bestået med %1 % rigtige.</source>
        <translation>Exercise in the &quot;Exercises&quot; window: passed with %1 % right.</translation>
    </message>
    <message>
        <source>Stedet gentages.</source>
        <translation>The passage repeats.</translation>
    </message>
    <message>
        <source>Lyt: %1 fra %2.</source>
        <translation>Listen: %1 from %2.</translation>
    </message>
    <message>
        <source>Lyt: %1, %2–%3.</source>
        <translation>Listen: %1, %2–%3.</translation>
    </message>
    <message>
        <source>Lyt til tonerne.</source>
        <translation>Listen to the notes.</translation>
    </message>
    <message>
        <source>Lyt: %1.</source>
        <translation>Listen: %1.</translation>
    </message>
    <message>
        <source>Diagrammet kromatisk.</source>
        <translation>The diagram chromatic.</translation>
    </message>
    <message>
        <source>Diagrammet i kvinter.</source>
        <translation>The diagram in fifths.</translation>
    </message>
    <message>
        <source>Toneart: %1</source>
        <translation>Key: %1</translation>
    </message>
    <message>
        <source>Stemning: %1</source>
        <translation>Tuning: %1</translation>
    </message>
    <message>
        <source>Lektion: %1</source>
        <translation>Lesson: %1</translation>
    </message>
    <message>
        <source>Lektionen »%1« kan ikke åbnes:
%2</source>
        <translation>The lesson &quot;%1&quot; cannot be opened:
%2</translation>
    </message>
    <message>
        <source>Næste trin (Page Down)</source>
        <translation>Next step (Page Down)</translation>
    </message>
    <message>
        <source>Forrige trin (Page Up)</source>
        <translation>Previous step (Page Up)</translation>
    </message>
    <message>
        <source>Næste</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Tilbage</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Lektion</source>
        <translation>Lesson</translation>
    </message>
</context>
<context>
    <name>LessonsMenu</name>
    <message>
        <source>Mine lektioner …</source>
        <translation>My lessons …</translation>
    </message>
    <message>
        <source>Lektioner</source>
        <translation>Lessons</translation>
    </message>
</context>
<context>
    <name>Handout</name>
    <message>
        <source>Tone</source>
        <translation>Tone</translation>
    </message>
    <message>
        <source>Cent</source>
        <translation>Cents</translation>
    </message>
    <message>
        <source>Frekvens (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message>
        <source>Terts fra ren (cent)</source>
        <translation>Third from pure (cents)</translation>
    </message>
    <message>
        <source>Tertsens svævninger pr. s</source>
        <translation>Third's beats per s</translation>
    </message>
    <message>
        <source>Kvint fra ren (cent)</source>
        <translation>Fifth from pure (cents)</translation>
    </message>
    <message>
        <source>Kvintens svævninger pr. s</source>
        <translation>Fifth's beats per s</translation>
    </message>
    <message>
        <source>Billedet kunne ikke gemmes.</source>
        <translation>The picture could not be saved.</translation>
    </message>
    <message>
        <source>Filen kunne ikke gemmes.</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>Filen skal ende på .pdf, .svg, .png eller .csv.</source>
        <translation>The file's name must end in .pdf, .svg, .png or .csv.</translation>
    </message>
</context>
<context>
    <name>HandoutActions</name>
    <message>
        <source>Udskriv …</source>
        <translation>Print …</translation>
    </message>
    <message>
        <source>Eksporter …</source>
        <translation>Export …</translation>
    </message>
    <message>
        <source>Udskriv diagrammet</source>
        <translation>Print the diagram</translation>
    </message>
    <message>
        <source>Eksporter diagrammet</source>
        <translation>Export the diagram</translation>
    </message>
    <message>
        <source>PDF (*.pdf);;SVG-billede (*.svg);;PNG-billede (*.png);;Stemningens tabel, CSV (*.csv)</source>
        <translation>PDF (*.pdf);;SVG picture (*.svg);;PNG picture (*.png);;The tuning's table, CSV (*.csv)</translation>
    </message>
    <message>
        <source>Eksporter billede</source>
        <translation>Export picture</translation>
    </message>
    <message>
        <source>Størrelse i procent:</source>
        <translation>Size in percent:</translation>
    </message>
</context>
<context>
    <name>PassageRepeat</name>
    <message>
        <source>Sæt &amp;A</source>
        <translation>Set &amp;A</translation>
    </message>
    <message>
        <source>Sæt &amp;B</source>
        <translation>Set &amp;B</translation>
    </message>
    <message>
        <source>&amp;Gentag ikke</source>
        <translation>&amp;Don't repeat</translation>
    </message>
    <message>
        <source>Gentager %1–%2</source>
        <translation>Repeating %1–%2</translation>
    </message>
    <message>
        <source>A ved %1; sæt B</source>
        <translation>A at %1; set B</translation>
    </message>
    <message>
        <source>Skift og træk på positionen gentager et stykke</source>
        <translation>Shift and drag on the position repeats a passage</translation>
    </message>
</context>
<context>
    <name>ProgressStore</name>
    <message>
        <source>Resultaterne kunne ikke gemmes i %1.</source>
        <translation>The results could not be stored in %1.</translation>
    </message>
    <message>
        <source>Fremskridtsfilen %1 har fejl:
%2
Den er lagt til side som %3. De resultater, der kunne læses, gemmes videre.</source>
        <translation>The progress file %1 has faults:
%2
It has been set aside as %3. The results that could be read are kept.</translation>
    </message>
    <message>
        <source>Fremskridtsfilen %1 har fejl:
%2
Den kan ikke lægges til side, så nye resultater gemmes ikke, før den er flyttet.</source>
        <translation>The progress file %1 has faults:
%2
It cannot be set aside, so new results are not stored until it is moved.</translation>
    </message>
    <message>
        <source>… og %1 fejl mere</source>
        <translation>… and %1 more faults</translation>
    </message>
    <message>
        <source>linje %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>feltet »%1« kan ikke læses</source>
        <translation>the field “%1” cannot be read</translation>
    </message>
    <message>
        <source>tallet »%1« kan ikke læses</source>
        <translation>the number “%1” cannot be read</translation>
    </message>
    <message>
        <source>tidspunktet »%1« kan ikke læses</source>
        <translation>the time “%1” cannot be read</translation>
    </message>
    <message>
        <source>forkert antal felter (%1)</source>
        <translation>wrong number of fields (%1)</translation>
    </message>
    <message>
        <source>ukendt slags linje »%1«</source>
        <translation>unknown kind of line “%1”</translation>
    </message>
    <message>
        <source>filen er skrevet af en nyere udgave (version %1)</source>
        <translation>the file was written by a later release (version %1)</translation>
    </message>
    <message>
        <source>første linje er ikke »klangora-progress 1«</source>
        <translation>the first line is not “klangora-progress 1”</translation>
    </message>
    <message>
        <source>filen kan ikke læses (%1)</source>
        <translation>the file cannot be read (%1)</translation>
    </message>
</context>
<context>
    <name>ProgressModels</name>
    <message>
        <source>%1 af %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nej</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Svar på trin %1</source>
        <translation>Answer at step %1</translation>
    </message>
    <message>
        <source>Ud af</source>
        <translation>Out of</translation>
    </message>
    <message>
        <source>Værdi</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Mål</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Øvelse eller lektion</source>
        <translation>Exercise or lesson</translation>
    </message>
    <message>
        <source>Rigtige</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Hvornår</source>
        <translation>When</translation>
    </message>
    <message>
        <source>Bestået</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>Fil</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Lektion</source>
        <translation>Lesson</translation>
    </message>
    <message>
        <source>Tid</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Rigtige (%)</source>
        <translation>Right (%)</translation>
    </message>
    <message>
        <source>Afstand fra rent (cent)</source>
        <translation>Distance from pure (cents)</translation>
    </message>
    <message>
        <source>Tærskel (cent)</source>
        <translation>Threshold (cents)</translation>
    </message>
</context>
<context>
    <name>ProgressPlot</name>
    <message>
        <source>Ingen resultater endnu</source>
        <translation>No results yet</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Behold</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Skal alle gemte resultater slettes? Det kan ikke fortrydes.</source>
        <translation>Delete all stored results? This cannot be undone.</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>fremskridt.csv</source>
        <translation>progress.csv</translation>
    </message>
    <message>
        <source>Eksporter resultaterne</source>
        <translation>Export the results</translation>
    </message>
    <message>
        <source>%1 kan ikke skrives: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>Luk</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ryd</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Eksporter CSV …</source>
        <translation>Export CSV …</translation>
    </message>
    <message>
        <source>Alle resultater</source>
        <translation>All results</translation>
    </message>
    <message>
        <source>Lektioner</source>
        <translation>Lessons</translation>
    </message>
    <message>
        <source>Fremskridt</source>
        <translation>Progress</translation>
    </message>
</context>
<context>
    <name>LearnerProgress</name>
    <message>
        <source>Fremskridt …</source>
        <translation>Progress …</translation>
    </message>
</context>
</TS>
