; SYNTAX TEST "source.pavon-asm" "the assembly language's colours"
* a whole-line comment
; <----------------------- comment.line.asterisk.pavon-asm
VDPWA   EQU >E002              ; the control port
; <----- entity.name.constant.pavon-asm
;       ^^^ keyword.directive.pavon-asm
;           ^^^^^ constant.numeric.hex.pavon-asm
;                              ^^^^^^^^^^^^^^^^^^ comment.line.semicolon.pavon-asm
START:  LI   R3, 'A'*256       ; a character
; <----- entity.name.label.pavon-asm
;       ^^ keyword.mnemonic.pavon-asm
;            ^^ variable.language.register.pavon-asm
;                ^^^ constant.character.pavon-asm
;                   ^ keyword.operator.arithmetic.pavon-asm
;                    ^^^ constant.numeric.decimal.pavon-asm
        MOVB *R3+, @VDPWA(R1)
;       ^^^^ keyword.mnemonic.pavon-asm
;             ^^ variable.language.register.pavon-asm
;                  ^ keyword.operator.address.pavon-asm
;                   ^^^^^ variable.other.name.pavon-asm
;                         ^^ variable.language.register.pavon-asm
        TEXT 'IT''S; NOT A COMMENT'
;       ^^^^ keyword.directive.pavon-asm
;            ^^^^^^^^^^^^^^^^^^^^^^ string.quoted.single.pavon-asm
        COPY 'font.asm'
;       ^^^^ keyword.directive.pavon-asm
LOOP:
; <---- entity.name.label.pavon-asm
        JMP  $
;       ^^^ keyword.mnemonic.pavon-asm
;            ^ variable.language.location.pavon-asm
