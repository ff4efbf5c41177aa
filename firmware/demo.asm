***********************************************************************
* Open demo firmware for the pavon machine.
*
* It sets up the video chip in graphics mode with a font of its own,
* prints a banner, checks a few dozen processor instructions, then echoes
* what is typed, moves a sprite with the arrow keys, counts frames with
* the level-3 frame interrupt and shows the decrementer counting down.
*
* Memory:  >0000->7FFF  first ROM image: vectors and code
*          >8000->BFFF  second ROM image: font and shapes
*          >E000/>E002  video chip data and control ports
*          >F000->FFFF  RAM: workspaces, variables, the text shadow
*
* Register conventions: R0-R2 carry the arguments of the video routines;
* routines keep their return address in R10 (video routines), R9 (screen
* helpers) or R8 (key and display handlers), so each level can call the
* one below it with BL.
***********************************************************************

* Video chip ports and tables
VDPWD:    EQU >E000             ; data port
VDPWA:    EQU >E002             ; control port, written
NAMES:    EQU >0000             ; name table (register 2 = >00)
COLOURS:  EQU >0380             ; colour table (register 3 = >0E)
SPRATTR:  EQU >0700             ; sprite attributes (register 5 = >0E)
PATTERNS: EQU >0800             ; character patterns (register 4 = >01)
SPRPATS:  EQU >1000             ; sprite patterns (register 6 = >02)

* Colours: foreground in the high nibble, background in the low one
TEXTCOL:  EQU >F4               ; white on dark blue
CURCOL:   EQU >A4               ; yellow on dark blue, for the cursor's group
SHIPCOL:  EQU >09               ; the sprite: light red

* Screen layout, 32 columns by 24 rows
TEXTROWS: EQU 16
TEXTTOP:  EQU NAMES+6*32        ; the typing area: rows 6 to 21
TEXTSIZE: EQU TEXTROWS*32
FRAMEPOS: EQU NAMES+2*32+8      ; where the frame count is shown
TIMERPOS: EQU NAMES+2*32+26     ; where the decrementer is shown
CHECKPOS: EQU NAMES+3*32+1      ; the instruction check's verdict
CURSORCH: EQU >7F               ; the cursor's character
STEP:     EQU 8                 ; the sprite moves a character cell per press

* Machine
DECR:     EQU >FFFA             ; the decrementer word, counted down once a frame
KEYROW0:  EQU >EC00             ; CRU base of the first keyboard row
KEYROWS:  EQU >EC80             ; one past the last row
DECCRU:   EQU >1EE0             ; decrementer mode bit; +2 enables it

***********************************************************************
* RAM
***********************************************************************
          AORG >F000
MAINWS:   BSS 32                ; the main program's registers
INTWS:    BSS 32                ; the frame interrupt's
XOPWS:    BSS 32                ; the XOP services'
SUBWS:    BSS 32                ; the key handler's (reached with BLWP)
SPAREWS:  BSS 32                ; used by the instruction check
FRAMES:   BSS 2                 ; frames counted by the interrupt
SEEN:     BSS 2                 ; the count the main loop last acted on
CURPOS:   BSS 2                 ; cursor: cell 0 to TEXTSIZE-1 of the typing area
SPRX:     BSS 2                 ; sprite position in pixels
SPRY:     BSS 2
CHECKNO:  BSS 2                 ; number of the instruction check running
KEYNOW:   BSS 16                ; each keyboard row, high byte, as just read
KEYOLD:   BSS 16                ; ... and as read the frame before
DIGITS:   BSS 6                 ; number formatting
SHADOW:   BSS TEXTSIZE          ; the characters of the typing area

***********************************************************************
* Vectors
***********************************************************************
          AORG >0000
          DATA MAINWS,START     ; reset
          DATA MAINWS,START     ; level 1 (never raised on this machine)
          DATA MAINWS,START     ; level 2 (never raised on this machine)
          DATA INTWS,FRAME      ; level 3: the end of every frame

          AORG >0040            ; XOP vectors
          DATA XOPWS,START      ; XOP 0: unused
          DATA XOPWS,PRINT      ; XOP 1: print a string
          DATA XOPWS,PEEK       ; XOP 2: fetch a word into the caller's R1

KEYVEC:   DATA SUBWS,KEYIN      ; BLWP vector of the key handler
SETR1V:   DATA SPAREWS,SETR1    ; BLWP vector used by the instruction check

***********************************************************************
* Start-up
***********************************************************************
START:    LWPI MAINWS
          LI   R0,FRAMES        ; clear the variables, FRAMES to DIGITS
CLRVAR:   CLR  *R0+
          CI   R0,SHADOW
          JL   CLRVAR

* Video registers: graphics mode, 8x8 sprites, the tables above
          LI   R3,VDPREGS
          LI   R4,8
REGLOOP:  MOV  *R3+,R0
          BL   @VWCTRL
          DEC  R4
          JNE  REGLOOP

* Video memory: all zero (so every sprite is transparent), then the
* tables that the screen uses
          CLR  R0
          CLR  R1
          LI   R2,>4000
          BL   @VFILL
          LI   R0,NAMES
          LI   R1,' '*256
          LI   R2,768
          BL   @VFILL
          LI   R0,COLOURS
          LI   R1,TEXTCOL*256
          LI   R2,32
          BL   @VFILL
          LI   R0,COLOURS+15         ; the group of characters >78 to >7F
          LI   R1,CURCOL*256
          BL   @VSBW
          LI   R0,PATTERNS+' '*8
          LI   R1,FONT
          LI   R2,64*8
          BL   @VMBW
          LI   R0,PATTERNS+CURSORCH*8
          LI   R1,CURSORPAT
          LI   R2,8
          BL   @VMBW
          LI   R0,SPRPATS
          LI   R1,SHIPPAT
          LI   R2,8
          BL   @VMBW

* The fixed text of the screen
          XOP  @BANNER,1
          XOP  @RULE1,1
          XOP  @COUNTS,1
          XOP  @HINT,1
          XOP  @RULE5,1
          XOP  @RULE22,1
          XOP  @HELP,1

          BL   @CHECKS          ; returns only when every check passed
          XOP  @CHECKOK,1
BOOT2:
* The typing area starts empty, with the cursor at its top left
          LI   R0,SHADOW
          LI   R1,>2020
CLRTEXT:  MOV  R1,*R0+
          CI   R0,SHADOW+TEXTSIZE
          JL   CLRTEXT
          BL   @DRAWCUR

* The sprite starts in the middle of the typing area
          LI   R0,120
          MOV  R0,@SPRX
          MOV  R0,@SPRY
          BL   @SHOWSPR

* Keyboard: no CRU output selects rows on this machine, but a keyboard
* that needs its lines driven low would get them here
          LI   R12,KEYROW0
          LDCR @ZERO,8

* The decrementer counts >FFFA down once a frame once its bit is set
          SETO @DECR
          LI   R12,DECCRU
          SBZ  0                ; mode bit: plain counting
          SBO  2                ; enable
          TB   2                ; no CRU input is wired: this only reads

          LIMI 3                ; take the frame interrupt from now on

***********************************************************************
* Main loop: once a frame, show the counters and read the keyboard
***********************************************************************
MAIN:     MOV  @FRAMES,R0
          C    R0,@SEEN
          JEQ  MAIN
          MOV  R0,@SEEN
          BL   @SHOWCNT
          BL   @SCAN
          JMP  MAIN

***********************************************************************
* Frame interrupt: count the frame. The frame loop leaves the mask at 3,
* and RTWP restores the interrupted program's status. The routine keeps
* off the video chip, so it cannot upset an address being set up.
***********************************************************************
FRAME:    INC  @FRAMES
          RTWP

***********************************************************************
* XOP 1: print a string. The operand is a screen address word followed
* by the characters and a zero byte.
***********************************************************************
PRINT:    MOV  R11,R2           ; R11 holds the operand's address
          MOV  *R2+,R0
          BL   @VWADDR
PRINT1:   MOVB *R2+,R1
          JEQ  PRINT2
          MOVB R1,@VDPWD
          JMP  PRINT1
PRINT2:   RTWP

* XOP 2: the word at the operand into the caller's R1
PEEK:     MOV  *R11,@2(R13)
          RTWP

***********************************************************************
* Video routines
***********************************************************************
* Sets the video address in R0 up for writing
VWADDR:   ORI  R0,>4000
* Sends the word in R0 to the control port, low byte first: an address
* (>4000 set: for writing) or a register write (>8000 + register * 256 + value)
VWCTRL:   SWPB R0
          MOVB R0,@VDPWA
          SWPB R0
          MOVB R0,@VDPWA
          RT

* Writes the high byte of R1 at video address R0
VSBW:     MOV  R11,R10
          BL   @VWADDR
          MOVB R1,@VDPWD
          B    *R10

* Writes R2 bytes from R1 on to video memory from R0 on
VMBW:     MOV  R11,R10
          BL   @VWADDR
VMBW1:    MOVB *R1+,@VDPWD
          DEC  R2
          JNE  VMBW1
          B    *R10

* Fills R2 bytes of video memory from R0 on with the high byte of R1
VFILL:    MOV  R11,R10
          BL   @VWADDR
VFILL1:   MOVB R1,@VDPWD
          DEC  R2
          JNE  VFILL1
          B    *R10

***********************************************************************
* Number display (R9 keeps the return address)
***********************************************************************
* Shows R3 as five decimal digits at screen address R0
DEC5:     MOV  R11,R9
          MOV  R0,R6
          LI   R5,DIGITS+5
DEC5A:    CLR  R2               ; R2:R3 is the dividend
          DIV  @TEN,R2          ; quotient to R2, remainder to R3
          DEC  R5
          AI   R3,'0'
          SWPB R3
          MOVB R3,*R5
          MOV  R2,R3
          CI   R5,DIGITS
          JNE  DEC5A
          MOV  R6,R0
          LI   R1,DIGITS
          LI   R2,5
          BL   @VMBW
          B    *R9

* Shows R3 as four hexadecimal digits at screen address R0
HEX4:     MOV  R11,R9
          LI   R5,DIGITS
HEX4A:    SRC  R3,12            ; the next digit into the low four bits
          MOV  R3,R2
          ANDI R2,>000F
          MOVB @HEXCHARS(R2),*R5+
          CI   R5,DIGITS+4
          JNE  HEX4A
          LI   R1,DIGITS
          LI   R2,4
          BL   @VMBW
          B    *R9

* The frame count and the decrementer (R8 keeps the return address)
SHOWCNT:  MOV  R11,R8
          MOV  @FRAMES,R3
          LI   R0,FRAMEPOS
          BL   @DEC5
          MOV  @DECR,R3
          LI   R0,TIMERPOS
          BL   @HEX4
          B    *R8

***********************************************************************
* Keyboard. Every row is read with STCR; a key counts when its bit goes
* from 0 to 1 between two frames, so holding a key types it once.
***********************************************************************
SCAN:     MOV  R11,R8
          LI   R12,KEYROW0
          LI   R2,KEYNOW
SCAN1:    STCR *R2+,8           ; the row's byte into the high byte of the word
          AI   R12,>10
          CI   R12,KEYROWS
          JNE  SCAN1

          LI   R2,KEYNOW
          LI   R3,KEYOLD
          CLR  R5               ; offset of the row in KEYMAP
SCAN2:    MOV  *R2+,R6
          MOV  *R3,R7
          MOV  R6,*R3+
          SZC  R7,R6            ; keys down now that were up before
          JEQ  SCAN4
          SRL  R6,8
          CLR  R4               ; the row reports one key: find its bit
SCAN3:    SRL  R6,1
          JOC  SCANKEY
          INC  R4
          JMP  SCAN3
SCANKEY:  A    R5,R4
          MOVB @KEYMAP(R4),R1   ; the key's code; 0 for keys without one
          JEQ  SCAN4
          BLWP @KEYVEC
SCAN4:    AI   R5,8
          CI   R5,64
          JL   SCAN2
          B    *R8

* What each key of each row stands for, by bit from >01 to >80: a
* character, 13 for Return, 1 to 4 for the arrow keys, 0 for none
KEYMAP:   TEXT '12QWASZX'       ; >EC00
          TEXT '34ERDFCV'       ; >EC10
          TEXT '56TYGHBN'       ; >EC20
          TEXT '789UIJKM'       ; >EC30
          TEXT '0-OPL;,.'       ; >EC40
          BYTE 0,0,'=',0,'''','[','/',']'   ; >EC50 (its minus is read in >EC40)
          BYTE 0,0,0,'\',13,0,0,' '          ; >EC60: Ctrl, Shift, \, Return, Space
          BYTE 1,2,3,4,0,0,0,0              ; >EC70: Left, Up, Down, Right
CTRLBITS: DATA >4200            ; both Ctrl keys in row >EC60

***********************************************************************
* Key handler, reached with BLWP: the caller's R1 holds the key's code
* in its high byte
***********************************************************************
KEYIN:    MOVB @2(R13),R1
          SRL  R1,8
          CI   R1,5
          JL   ARROW
          MOV  @KEYNOW+12,R2    ; row >EC60: is a Ctrl key held?
          CZC  @CTRLBITS,R2
          JEQ  TYPED
          CI   R1,'H'           ; Ctrl+H is the backspace
          JNE  KEYEND
          BL   @BACKSP
          JMP  KEYEND
TYPED:    CI   R1,13
          JNE  PRINTABLE
          BL   @NEWLINE
          JMP  KEYEND
PRINTABLE: BL  @PUTCH
KEYEND:   RTWP
ARROW:    BL   @MOVESPR
          RTWP

***********************************************************************
* Typing area (handlers keep their return address in R8)
***********************************************************************
* Puts the character in R1 at the cursor and moves the cursor on
PUTCH:    MOV  R11,R8
          MOV  @CURPOS,R3
          SWPB R1
          MOVB R1,@SHADOW(R3)
          BL   @CELLOUT
          INC  R3
          MOV  R3,@CURPOS
          BL   @FITCUR
          B    *R8

* Return: the cursor goes to the start of the next line
NEWLINE:  MOV  R11,R8
          MOV  @CURPOS,R3
          BL   @CELLOUT         ; uncover the cell under the cursor
          ANDI R3,-32
          AI   R3,32
          MOV  R3,@CURPOS
          BL   @FITCUR
          B    *R8

* Backspace: the cursor moves back one cell and clears it
BACKSP:   MOV  R11,R8
          MOV  @CURPOS,R3
          JEQ  BACKSP1          ; already at the very start
          BL   @CELLOUT
          DEC  R3
          LI   R1,' '*256
          MOVB R1,@SHADOW(R3)
          MOV  R3,@CURPOS
          BL   @DRAWCUR
BACKSP1:  B    *R8

* Screen helpers (R9 keeps the return address)
* Redraws the cell R3 of the typing area from the shadow
CELLOUT:  MOV  R11,R9
          LI   R0,TEXTTOP
          A    R3,R0
          MOVB @SHADOW(R3),R1
          BL   @VSBW
          B    *R9

* Draws the cursor
DRAWCUR:  MOV  R11,R9
          MOV  @CURPOS,R0
          AI   R0,TEXTTOP
          LI   R1,CURSORCH*256
          BL   @VSBW
          B    *R9

* Scrolls the typing area up a line if the cursor has left it, then draws
* the cursor
FITCUR:   MOV  R11,R9
          MOV  @CURPOS,R3
          CI   R3,TEXTSIZE
          JL   FITCUR3
          LI   R4,SHADOW+32
          LI   R5,SHADOW
          LI   R6,TEXTROWS*16-16        ; words in all lines but the first
FITCUR1:  MOV  *R4+,*R5+
          DEC  R6
          JNE  FITCUR1
          LI   R6,16
          LI   R7,>2020
FITCUR2:  MOV  R7,*R5+                  ; a blank last line
          DEC  R6
          JNE  FITCUR2
          AI   R3,-32
          MOV  R3,@CURPOS
          LI   R0,TEXTTOP
          LI   R1,SHADOW
          LI   R2,TEXTSIZE
          BL   @VMBW
FITCUR3:  MOV  R9,R11                   ; DRAWCUR returns to our caller
          JMP  DRAWCUR

***********************************************************************
* Sprite
***********************************************************************
* Moves the sprite a cell in direction R1 (1 left, 2 up, 3 down, 4 right),
* unless that would take it off the screen
MOVESPR:  MOV  R11,R8
          MOV  @SPRX,R5
          MOV  @SPRY,R4
          LI   R7,STEP
          SLA  R1,1
          X    @MOVES-2(R1)
          CI   R5,256-8         ; unsigned: a negative position is large too
          JH   MOVESPR1
          CI   R4,192-8
          JH   MOVESPR1
          MOV  R5,@SPRX
          MOV  R4,@SPRY
          BL   @SHOWSPR
MOVESPR1: B    *R8

MOVES:    S    R7,R5            ; left
          S    R7,R4            ; up
          A    R7,R4            ; down
          A    R7,R5            ; right

* Writes sprite 0's attributes: the video chip draws a sprite one line
* below its Y
SHOWSPR:  MOV  R11,R9
          LI   R0,SPRATTR
          BL   @VWADDR
          MOV  @SPRY,R1
          DEC  R1
          SWPB R1
          MOVB R1,@VDPWD        ; Y
          MOV  @SPRX,R1
          SWPB R1
          MOVB R1,@VDPWD        ; X
          CLR  R1
          MOVB R1,@VDPWD        ; pattern 0
          LI   R1,SHIPCOL*256
          MOVB R1,@VDPWD        ; colour
          B    *R9

***********************************************************************
* Instruction check. Each check leaves a result in R1 and calls EXPECT,
* which compares it with the word after the call; jump checks count
* themselves and branch to FAILED when a jump goes the wrong way.
***********************************************************************
CHECKS:   MOV  R11,R8
          JMP  CHKGO
CHKFAIL:  B    @FAILED          ; within reach of the jump checks
CHKGO:

* Two-operand words and bytes
          LI   R1,>1234
          LI   R2,>1111
          A    R2,R1
          BL   @EXPECT
          DATA >2345
          LI   R1,5
          LI   R2,7
          S    R2,R1
          BL   @EXPECT
          DATA -2
          LI   R1,>00F0
          SOC  @HEXFF,R1        ; >00FF
          SZC  @LOWBITS,R1      ; >00F0 AND NOT >0033 = >00CC
          BL   @EXPECT
          DATA >00CC
          LI   R1,>1200
          LI   R2,>0300
          AB   R2,R1            ; >15
          SB   @SEVENS,R1       ; >15 - >07 = >0E
          SOCB R2,R1            ; >0F
          SZCB @SEVENS,R1       ; >08
          BL   @EXPECT
          DATA >0800
          LI   R3,WORDS         ; MOV through memory, with auto-increment
          LI   R4,DIGITS
          MOV  *R3+,*R4+
          MOV  *R3+,@-2(R4)     ; overwrites the word just copied
          MOV  @DIGITS,R1
          BL   @EXPECT
          DATA >5678
          MOV  R3,R1
          BL   @EXPECT
          DATA WORDS+4

* Comparisons and the jumps that test them
          LI   R1,1
          LI   R2,>8000
          INC  @CHECKNO
          C    R1,R2            ; 1 against -32768: greater signed, less unsigned
          JLT  CHKFAIL
          JH   CHKFAIL
          JL   CHK1
          JMP  CHKFAIL
CHK1:     JGT  CHK2
          JMP  CHKFAIL
CHK2:     INC  @CHECKNO
          CB   @SEVENS,@SEVENS  ; equal bytes
          JNE  CHKFAIL
          JLE  CHK3
          JMP  CHKFAIL
CHK3:     JHE  CHK4
          JMP  CHKFAIL
CHK4:     INC  @CHECKNO
          CI   R2,>8000
          JNE  CHKFAIL
          MOVB @SEVENS,R1       ; >07 has three 1 bits: odd parity
          JOP  CHK5
          JMP  CHKFAIL
CHK5:     INC  @CHECKNO
          LI   R1,>FFFF
          AI   R1,1             ; carry out, no overflow
          JNC  CHKFAIL
          JOC  CHK6
          JMP  CHKFAIL
CHK6:     JNO  CHK7
          JMP  CHKFAIL
CHK7:

* Register-source instructions
          LI   R2,300
          LI   R3,512
          MPY  R2,R3            ; 153600 = >0002:>5800 in R3:R4
          MOV  R3,R1
          BL   @EXPECT
          DATA >0002
          MOV  R4,R1
          BL   @EXPECT
          DATA >5800
          CLR  R2
          LI   R3,1234
          DIV  @TEN,R2          ; 123 remainder 4
          MOV  R2,R1
          BL   @EXPECT
          DATA 123
          MOV  R3,R1
          BL   @EXPECT
          DATA 4
          LI   R1,>F0F0
          LI   R2,>FF00
          XOR  R2,R1
          BL   @EXPECT
          DATA >0FF0
          LI   R2,>0F00
          LI   R3,>FF00
          COC  R2,R3            ; every 1 of R2 is 1 in R3
          STST R1
          ANDI R1,>2000
          BL   @EXPECT
          DATA >2000
          CZC  R2,R3            ; ... so not every one is 0
          STST R1
          ANDI R1,>2000
          BL   @EXPECT
          DATA 0

* Single-operand instructions
          SETO R1
          INC  R1
          INCT R1
          INCT R1
          DEC  R1
          DECT R1               ; -1 +1 +2 +2 -1 -2 = 1
          INV  R1               ; >FFFE
          SWPB R1               ; >FEFF
          BL   @EXPECT
          DATA >FEFF
          LI   R1,5
          NEG  R1
          BL   @EXPECT
          DATA -5
          ABS  R1
          BL   @EXPECT
          DATA 5
          CLR  R1
          BL   @EXPECT
          DATA 0
          LI   R2,>0581         ; the instruction INC R1
          LI   R1,41
          X    R2
          BL   @EXPECT
          DATA 42

* Shifts, one with its count taken from R0
          LI   R1,>8001
          SRA  R1,1
          BL   @EXPECT
          DATA >C000
          SRC  R1,4
          BL   @EXPECT
          DATA >0C00
          SLA  R1,2
          BL   @EXPECT
          DATA >3000
          LI   R0,4
          SRL  R1,0
          BL   @EXPECT
          DATA >0300

* Context switches and the status and workspace registers
          CLR  R1
          BLWP @SETR1V
          BL   @EXPECT
          DATA >BEEF
          XOP  @MAGIC,2
          BL   @EXPECT
          DATA >1995
          LI   R2,>C000         ; L> and A> set, interrupts still masked
          LST  R2
          STST R1
          BL   @EXPECT
          DATA >C000
          STWP R1
          BL   @EXPECT
          DATA MAINWS
          LI   R2,SPAREWS
          LI   R3,MAINWS
          MOV  R3,@SPAREWS+2*3  ; the spare workspace's R3 leads back here
          LWP  R2
          STWP R1               ; in the spare workspace now
          MOV  R1,@MAINWS+2     ; hand the result to the main R1
          LWP  R3
          BL   @EXPECT
          DATA SPAREWS

* The processor's signed multiply and divide codes. This machine only
* decodes their operands, so nothing may depend on their results.
          LI   R2,3
          MPYS R2
          DIVS R2
          B    *R8

* Compares R1 with the word after the call and counts the check
EXPECT:   INC  @CHECKNO
          C    *R11+,R1
          JNE  FAILED
          RT

FAILED:   XOP  @CHECKBAD,1
          MOV  @CHECKNO,R3
          LI   R0,CHECKPOS+20
          BL   @DEC5
          B    @BOOT2

* Sets the caller's R1, for the BLWP check
SETR1:    LI   R0,>BEEF
          MOV  R0,@2(R13)
          RTWP

***********************************************************************
* Constants and texts. A text starts with its screen address and ends
* with a zero byte.
***********************************************************************
VDPREGS:  DATA >8000            ; R0: graphics mode
          DATA >81E0            ; R1: 16 KB, display on, 8x8 sprites
          DATA >8200            ; R2: names at >0000
          DATA >830E            ; R3: colours at >0380
          DATA >8401            ; R4: patterns at >0800
          DATA >850E            ; R5: sprite attributes at >0700
          DATA >8602            ; R6: sprite patterns at >1000
          DATA >8700+TEXTCOL    ; R7: backdrop colour
TEN:      DATA 10
ZERO:     DATA 0
HEXFF:    DATA >00FF
LOWBITS:  DATA >0033
SEVENS:   DATA >0707
MAGIC:    DATA >1995
WORDS:    DATA >1234,>5678
HEXCHARS: TEXT '0123456789ABCDEF'

BANNER:   DATA NAMES+0*32+3
          TEXT 'PAVON  OPEN DEMO FIRMWARE'
          BYTE 0
RULE1:    DATA NAMES+1*32
          TEXT '--------------------------------'
          BYTE 0
COUNTS:   DATA NAMES+2*32+1
          TEXT 'FRAMES 00000      TIMER >FFFF'
          BYTE 0
HINT:     DATA NAMES+4*32+1
          TEXT 'TYPE AWAY, ARROWS MOVE SPRITE'
          BYTE 0
RULE5:    DATA NAMES+5*32
          TEXT '--------------------------------'
          BYTE 0
RULE22:   DATA NAMES+22*32
          TEXT '--------------------------------'
          BYTE 0
HELP:     DATA NAMES+23*32+1
          TEXT 'CTRL+H ERASES, RETURN NEW LINE'
          BYTE 0
CHECKOK:  DATA CHECKPOS
          TEXT 'CPU CHECK OK'
          BYTE 0
CHECKBAD: DATA CHECKPOS
          TEXT 'CPU CHECK FAILED AT'
          BYTE 0

***********************************************************************
* Second ROM image: the font for characters >20 to >5F (from its own
* file, font.asm, which other programs can copy), then the sprite and
* cursor shapes. Each shape is eight rows, top first, bit 7 the leftmost
* pixel. The window test reads the font and the sprite from here.
***********************************************************************
          AORG >8000
          COPY 'font.asm'          ; FONT: the characters >20 to >5F
SHIPPAT:  BYTE >18,>3C,>7E,>FF,>DB,>FF,>42,>81
CURSORPAT: BYTE >FE,>FE,>FE,>FE,>FE,>FE,>FE,>00

          END
