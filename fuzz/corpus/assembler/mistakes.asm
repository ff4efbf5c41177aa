* Lines the assembler must refuse, each with its own error.
        AORG >0500
        MOV  R16,R1
        LI   R1
        JMP  FARAWAY
        DATA UNDEFINED
TWICE:  NOP
TWICE:  NOP
        BYTE 256
        SRA  R1,16
        FOO  R1,R2
        IDLE
        DATA 0x10,(1)
        TEXT 'unterminated
        AORG >C000
        DATA 1
