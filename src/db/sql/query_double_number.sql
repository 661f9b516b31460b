SELECT COUNT(*) FROM set_pk
WHERE plm_number = :number
