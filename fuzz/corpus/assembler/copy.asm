        COPY "font.asm"
X:      COPY "other.asm"
        NOP
        END
