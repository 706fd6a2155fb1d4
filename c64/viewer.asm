; Shows a multicolour or hires picture on a C64 until the machine is reset. The program loads at
; $0801 and starts with RUN. The picture's bytes follow the code: background colour, the value
; for $D016 ($18 multicolour, $08 hires), screen RAM and colour RAM, then the bitmap, loaded
; straight to $2000 where the VIC-II reads it.
; Assembled with acme at build time; the writer appends the picture.

screen_ram      = $0400
bitmap          = $2000
colour_ram      = $d800
nmi_vector      = $0318
vic_control1    = $d011         ; $3b: bitmap mode, screen on, 25 rows
vic_control2    = $d016         ; $18: multicolour, 40 columns; $08: hires
vic_memory      = $d018         ; $18: screen RAM at $0400, bitmap at $2000 (VIC bank 0)
vic_border      = $d020
vic_background  = $d021

        * = $0801

; 10 SYS <start>
        !word basic_end, 10
        !byte $9e
        !byte '0' + start / 1000 % 10, '0' + start / 100 % 10
        !byte '0' + start / 10 % 10, '0' + start % 10
        !byte 0
basic_end
        !word 0

start   sei                     ; no keyboard scan, no cursor
        lda #<ignore_nmi        ; RUN/STOP with RESTORE would leave the picture
        sta nmi_vector
        lda #>ignore_nmi
        sta nmi_vector + 1
        lda background
        sta vic_border
        sta vic_background
        ldx #0                  ; 1000 bytes each, in four strips of 250
copy    lda screen_data, x
        sta screen_ram, x
        lda screen_data + 250, x
        sta screen_ram + 250, x
        lda screen_data + 500, x
        sta screen_ram + 500, x
        lda screen_data + 750, x
        sta screen_ram + 750, x
        lda colour_data, x
        sta colour_ram, x
        lda colour_data + 250, x
        sta colour_ram + 250, x
        lda colour_data + 500, x
        sta colour_ram + 500, x
        lda colour_data + 750, x
        sta colour_ram + 750, x
        inx
        cpx #250
        bne copy
        lda #$3b
        sta vic_control1
        lda control2
        sta vic_control2
        lda #$18
        sta vic_memory
hold    jmp hold

ignore_nmi
        rti

; The picture's bytes start here; the writer puts them in place.
background      = *
control2        = background + 1
screen_data     = control2 + 1
colour_data     = screen_data + 1000
picture_end     = colour_data + 1000

!if picture_end > bitmap {
        !error "screen and colour RAM data run into the bitmap"
}
