* Constants, expressions and every directive.
PORT:   EQU >E000
BASE:   EQU >8000
SIZE:   EQU 2*16+4
MASK:   EQU SIZE-1
        AORG >0000
        DATA >F000,START        ; reset vector
        DATA >F020,SERVICE      ; level 1
        AORG >0100
TABLE:  BYTE 1,2,>FF,-1
        EVEN
NAME:   TEXT 'pavon''s'
        EVEN
WORDS:  DATA TABLE,NAME+1,SIZE*MASK
        AORG BASE
BUFFER: BSS 64
START:  JMP  $
SERVICE: RTWP
        END
