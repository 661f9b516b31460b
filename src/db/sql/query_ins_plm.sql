INSERT INTO set_pk(operation_id,version,plm_group,plm_address,
  plm_number)
VALUES(:operation_id,:version,:plm_group,:plm_address,:plm_number)
